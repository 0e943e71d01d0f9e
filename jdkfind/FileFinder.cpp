#include "jdkfind/FileFinder.h"

#include <windows.h>

#include "base/Handles.h"
#include "base/System.h"
#include "base/Text.h"

namespace kelvane {

namespace {

// Whether the last character of text is the backslash. Tested by characters, not bytes: a
// directory that ends in a double-byte character whose second byte is 0x5C still needs its
// separator.
bool EndsWithBackslash(std::string_view text) {
    bool lastIsBackslash = false;
    for (std::size_t index = 0; index < text.size();) {
        const bool lead = IsLeadByte(static_cast<unsigned char>(text[index]));
        lastIsBackslash = !lead && text[index] == '\\';
        index += lead ? 2 : 1;
    }
    return lastIsBackslash;
}

} // namespace

std::int32_t FindFiles(std::string_view directory, std::string_view pattern, TextArray& files,
                       std::optional<bool> withPath) {
    files.clear();
    Text folder(directory);
    if (!EndsWithBackslash(folder)) {
        folder += '\\';
    }
    const Text query = folder + Text(pattern);
    WIN32_FIND_DATAA entry;
    UniqueFind search(FindFirstFileA(query.c_str(), &entry));
    if (!search) {
        return 0;
    }
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            continue;
        }
        files.push_back(withPath.value_or(false) ? folder + entry.cFileName
                                                 : Text(entry.cFileName));
        PumpMessages();
    } while (FindNextFileA(search.get(), &entry));
    return static_cast<std::int32_t>(files.size());
}

void PumpMessages() {
    ProcessEvents();
}

} // namespace kelvane
