// The new system Path that the Configure command writes: the two %JAVA_HOME% entries in front of
// the old Path's entries that do not mention java.
#pragma once

#include <string_view>

#include "base/Types.h"

namespace kelvane {

// "%JAVA_HOME%\bin;%JAVA_HOME%\jre\bin;" followed by the entries of oldPath (split at ";" on GBK
// character boundaries) that are not empty and whose ASCII-lower-cased text holds no "java".
// Kept entries are copied byte for byte. Each kept entry is followed by ";" unless it was the
// last entry of oldPath, so a dropped last entry leaves the separator of the entry before it;
// running the rebuild on its own result drops that separator and changes nothing else.
Text RebuildPath(std::string_view oldPath);

} // namespace kelvane
