// Lists the files of one directory while the GUI thread keeps serving its windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/Types.h"

namespace kelvane {

// Empties files, then appends every file of directory (with or without a trailing backslash)
// whose name matches pattern (the wildcards of FindFirstFileA), in the order of the search:
// names alone, or with withPath the directory, one backslash and the name. Directories are
// skipped; hidden and system files are listed. Pending window messages are handled after each
// file. Returns the number of elements of files.
std::int32_t FindFiles(std::string_view directory, std::string_view pattern, TextArray& files,
                       std::optional<bool> withPath = std::nullopt);

// Handles the window messages waiting in the calling thread's queue and returns when it is
// empty. A quit message stays queued for the main message loop, as with ProcessEvents.
void PumpMessages();

} // namespace kelvane
