// A variable of the running process's own environment block.
#pragma once

#include <string_view>

#include "base/Types.h"

namespace kelvane {

// The variable's value in the ANSI code page, whole whatever its length; empty when it is not
// set. convertedWithLoss as for WideToAnsi.
Text ProcessVariable(std::string_view name, bool* convertedWithLoss = nullptr);

} // namespace kelvane
