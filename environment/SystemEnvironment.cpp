#include "environment/SystemEnvironment.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "SystemTexts.h"
#include "environment/Automation.h"
#include "environment/WideText.h"

namespace kelvane {

namespace {

// The shell object and the environment collection of one scope, made anew for every operation
// and released, collection first, when the operation returns.
struct EnvironmentSession {
    AutomationObject shell;
    AutomationObject collection;
};

// The common frame of the variable operations. False when "WScript.Shell" cannot be created;
// when only "Environment" fails, the session has no collection and its requests fail.
[[nodiscard]] bool OpenSession(std::optional<bool> forUser, EnvironmentSession& session) {
    // On the GUI thread COM is initialised already and this only raises the count; it makes the
    // operations work on a thread where nobody initialised COM. The destructor lowers it once.
    static_cast<void>(CoInitialize(nullptr));
    if (!session.shell.Create(texts::kShellProgId)) {
        return false;
    }
    session.collection = session.shell.RequestObject(
        texts::kEnvironmentMember, RequestKind::Method,
        {forUser.value_or(false) ? texts::kUserScope : texts::kSystemScope});
    return true;
}

// The variable from the running process's own environment block, whole whatever its length.
Text ProcessVariable(std::string_view name, bool* convertedWithLoss) {
    const std::wstring wideName = AnsiToWide(name);
    if (wideName.empty()) {
        return {};
    }
    std::wstring value(256, L'\0');
    for (;;) {
        const DWORD count = GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                    static_cast<DWORD>(value.size()));
        if (count == 0) {
            return {};
        }
        if (count < value.size()) {
            value.resize(count);
            return WideToAnsi(value, convertedWithLoss);
        }
        // Too small: count is the size needed, the zero included.
        value.assign(count, L'\0');
    }
}

} // namespace

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
