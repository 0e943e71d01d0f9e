// Makes a shortcut through the shell's own link object, for tests and the corpus of shell-made
// shortcuts. Windows only.
#pragma once

#include "jdkfind/tests/ShellCases.h"

namespace kelvane::testing {

// Writes the shortcut file; false when the shell refused any part of the request. COM must be
// initialised on the calling thread.
[[nodiscard]] bool MakeShellShortcut(const Text& file, const ShellRequest& request);

} // namespace kelvane::testing
