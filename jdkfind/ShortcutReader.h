// Reads a shell link (.lnk) file into the display texts of a ShortcutInfo record.
//
// The reader takes a subset of the format by fixed positions and a few tests, never reports an
// error and never reads outside the file's bytes: a file it cannot use leaves the record's texts
// empty, and a target it does not take leaves only the fields that come from the header.
#pragma once

#include <cstdint>

#include "base/Types.h"

namespace kelvane {

struct ShortcutInfo {
    Text TargetPath;
    Text WorkingDirectory;
    Text RelativePath;
    Text Description;
    Text Arguments;
    Text ShowMode;
    Text IconLocation;
    std::int32_t IconIndex = 0;
    Text Hotkey;
};

// Empties the eight texts of info and fills them from the shortcut named by path. A path whose
// last three characters are not "lnk" in any case gets ".lnk" appended, and the caller's path
// keeps the extended name. IconIndex keeps the caller's value unless the file is a shortcut.
void ReadShortcut(Text& path, ShortcutInfo& info);

// The reading of a shortcut's bytes, without the file: fills info from data as ReadShortcut does
// after reading the file, leaving the fields it does not reach as they are.
void ParseShortcut(const ByteSeq& data, ShortcutInfo& info);

// The binary digits of value from bit 0 upwards, ending with its highest set bit ("0" for 0).
// Defined for values of 0 or more; a negative value gives the empty text.
Text BinaryDigits(std::int32_t value);

} // namespace kelvane
