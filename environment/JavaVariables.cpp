#include "environment/JavaVariables.h"

#include "SystemTexts.h"
#include "environment/PathRebuild.h"

namespace kelvane {

namespace {

// Message boxes break lines at CR LF.
constexpr char kLineBreak[] = "\r\n";

} // namespace

TextArray WriteJavaVariables(VariableStore& store, std::string_view javaHome) {
    TextArray failed;
    if (!store.Write(texts::kClassPathName, texts::kClassPathValue)) {
        failed.emplace_back(texts::kClassPathName);
    }
    if (!store.Write(texts::kJavaHomeName, javaHome)) {
        failed.emplace_back(texts::kJavaHomeName);
    }
    bool convertedWithLoss = false;
    const Text oldPath = store.Read(texts::kPathName, convertedWithLoss);
    if (convertedWithLoss || !store.Write(texts::kPathName, RebuildPath(oldPath))) {
        failed.emplace_back(texts::kPathName);
    }
    return failed;
}

Text ConfigureMessage(const TextArray& failedNames) {
    if (failedNames.empty()) {
        return texts::kConfigureDone;
    }
    Text message = texts::kConfigureFailed;
    message += kLineBreak;
    message += texts::kFailedVariablesLead;
    for (std::size_t i = 0; i < failedNames.size(); ++i) {
        if (i > 0) {
            message += texts::kFailedVariablesJoin;
        }
        message += failedNames[i];
    }
    message += kLineBreak;
    message += texts::kRunAsAdministrator;
    return message;
}

} // namespace kelvane
