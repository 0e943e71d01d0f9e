// The program's one way to the machine's persistent environment variables (the current user's
// and the system's), through the WScript.Shell automation object, with the running process's
// own environment block as the fallback of GetVariable. It also lists the variables of a scope and
// answers four questions about the running process.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/Types.h"

namespace kelvane {

class SystemEnvironment {
  public:
    SystemEnvironment() = default;
    // The class has no state: a copy is a new instance, equal to its source.
    SystemEnvironment(const SystemEnvironment&) = default;
    SystemEnvironment& operator=(const SystemEnvironment&) = default;
    // Uninitialises COM once for the calling thread, whatever number of CoInitialize calls the
    // operations made before.
    ~SystemEnvironment();

    // forUser: true for the current user's variables, false or not given for the system's.
    // convertedWithLoss, when given, tells whether the value held characters that the ANSI code
    // page cannot represent (they came out as its default character): such a value must not be
    // written back, or the variable is damaged.
    Text GetVariable(std::optional<bool> forUser, std::string_view name,
                     bool* convertedWithLoss = nullptr);
    bool SetVariable(std::optional<bool> forUser, std::string_view name, std::string_view value);
    bool RemoveVariable(std::optional<bool> forUser, std::string_view name);
    std::int32_t CountVariables(std::optional<bool> forUser);
    // Appends one "NAME=value" text per variable of the scope behind what names holds, letting
    // the GUI thread handle its pending messages after each. The number of elements of names
    // afterwards; -1, names unchanged, when "WScript.Shell" cannot be created.
    std::int32_t ListVariables(std::optional<bool> forUser, TextArray& names);

    // The process's command-line arguments after its own name, replacing what arguments held;
    // their number.
    std::int32_t GetArguments(TextArray& arguments);
    // The current directory, whole; empty on failure.
    Text GetWorkingDirectory();
    // The executable's full path when withPath is true, else its file name; empty on failure.
    Text GetOwnFileName(std::optional<bool> withPath);
    // The value of "COMSPEC" in the process's own environment, whole; empty when it is not set.
    Text GetCommandInterpreter();
};

} // namespace kelvane
