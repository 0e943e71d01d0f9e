// The common frame of the environment object's variable operations: COM initialised for the
// call, the shell object, and the environment collection of one scope.
#pragma once

#include <optional>

#include "environment/Automation.h"

namespace kelvane {

// The shell object and the environment collection of one scope, made anew for every operation
// and released, collection first, when the operation returns.
struct EnvironmentSession {
    AutomationObject shell;
    AutomationObject collection;
};

// The common frame of the variable operations. False when "WScript.Shell" cannot be created;
// when only "Environment" fails, the session has no collection and its requests fail.
[[nodiscard]] bool OpenSession(std::optional<bool> forUser, EnvironmentSession& session);

} // namespace kelvane
