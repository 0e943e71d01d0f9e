#include "environment/SystemEnvironment.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "SystemTexts.h"
#include "environment/EnvironmentSession.h"
#include "environment/ProcessVariable.h"

namespace kelvane {

SystemEnvironment::~SystemEnvironment() {
    CoUninitialize();
}

Text SystemEnvironment::GetVariable(std::optional<bool> forUser, std::string_view name,
                                    bool* convertedWithLoss) {
    bool lost = false;
    Text value;
    EnvironmentSession session;
    if (OpenSession(forUser, session)) {
        value = session.collection.RequestText(texts::kItemMember, RequestKind::PropertyGet, {name},
                                               &lost);
        if (value.empty()) {
            value = ProcessVariable(name, &lost);
        }
    }
    if (convertedWithLoss != nullptr) {
        *convertedWithLoss = lost;
    }
    return value;
}

bool SystemEnvironment::SetVariable(std::optional<bool> forUser, std::string_view name,
                                    std::string_view value) {
    EnvironmentSession session;
    if (!OpenSession(forUser, session)) {
        return false;
    }
    return session.collection.PutProperty(texts::kItemMember, name, value);
}

bool SystemEnvironment::RemoveVariable(std::optional<bool> forUser, std::string_view name) {
    EnvironmentSession session;
    if (!OpenSession(forUser, session)) {
        return false;
    }
    // "Remove" hands back no value when it succeeds and the request gives 0 when it fails: the
    // answer is false only when the shell object is missing.
    const double result =
        session.collection.RequestNumber(texts::kRemoveMember, RequestKind::Method, {name});
    return std::fabs(result) <= 1e-7;
}

std::int32_t SystemEnvironment::CountVariables(std::optional<bool> forUser) {
    EnvironmentSession session;
    if (!OpenSession(forUser, session)) {
        return -1;
    }
    const double length =
        session.collection.RequestNumber(texts::kLengthMember, RequestKind::PropertyGet);
    if (std::isnan(length)) {
        return 0;
    }
    // Truncated toward zero, kept inside the range so that the conversion is defined.
    return static_cast<std::int32_t>(std::clamp(std::trunc(length),
                                                double{std::numeric_limits<std::int32_t>::min()},
                                                double{std::numeric_limits<std::int32_t>::max()}));
}

} // namespace kelvane
