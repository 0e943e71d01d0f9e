// The writes of the Configure command and what it tells the user about them, apart from the
// environment object and the window, so that the order of the writes and the reports of
// failures can be checked without either.
#pragma once

#include <string_view>

#include "base/Types.h"

namespace kelvane {

// The system scope of the machine's environment variables, as the command uses it.
class VariableStore {
  public:
    // The variable's value, or the empty text. convertedWithLoss is set when the value held
    // characters that the ANSI code page cannot represent.
    virtual Text Read(std::string_view name, bool& convertedWithLoss) = 0;
    // True when the value was written.
    virtual bool Write(std::string_view name, std::string_view value) = 0;

  protected:
    ~VariableStore() = default;
};

// Writes CLASSPATH, JAVA_HOME (javaHome unchanged, the empty text included) and the rebuilt
// Path, in this order, attempting each whatever became of the others. Returns the names of the
// variables that were not written, in the order of the writes. A Path that came through a lossy
// conversion is not written back, as that would damage its entries: it counts as not written.
TextArray WriteJavaVariables(VariableStore& store, std::string_view javaHome);

// What the user is told: "配置完成!" when every variable was written; otherwise "配置失败!", the
// names that failed and the advice to run as administrator, one per line (CR LF).
Text ConfigureMessage(const TextArray& failedNames);

} // namespace kelvane
