// Comparison and printing of ShortcutInfo records for tests: all nine fields at once, so that a
// failure shows every field that differs.
#pragma once

#include <ostream>
#include <tuple>

#include "jdkfind/ShortcutReader.h"

namespace kelvane {

inline auto Fields(const ShortcutInfo& info) {
    return std::tie(info.TargetPath, info.WorkingDirectory, info.RelativePath, info.Description,
                    info.Arguments, info.ShowMode, info.IconLocation, info.IconIndex, info.Hotkey);
}

inline bool operator==(const ShortcutInfo& a, const ShortcutInfo& b) {
    return Fields(a) == Fields(b);
}

inline void PrintTo(const ShortcutInfo& info, std::ostream* out) {
    *out << "{TargetPath=\"" << info.TargetPath << "\" WorkingDirectory=\"" << info.WorkingDirectory
         << "\" RelativePath=\"" << info.RelativePath << "\" Description=\"" << info.Description
         << "\" Arguments=\"" << info.Arguments << "\" ShowMode=\"" << info.ShowMode
         << "\" IconLocation=\"" << info.IconLocation << "\" IconIndex=" << info.IconIndex
         << " Hotkey=\"" << info.Hotkey << "\"}";
}

} // namespace kelvane
