#include "jdkfind/ShortcutReader.h"

#include <algorithm>
#include <optional>

#include "SystemTexts.h"
#include "base/Bytes.h"
#include "base/Text.h"
#include "jdkfind/WideToAnsi.h"

namespace kelvane {
namespace {

// Positions and lengths come from the file: an offset of up to 2^31 added to a position can pass
// what 32 bits hold, so they are worked out in 64 bits and clipped to the data before the byte
// primitives see them.
using Position = std::int64_t;

// The file's header: the signature text, then the fields read at fixed positions.
constexpr Position kLinkFlagsAt = 21;
constexpr Position kIconIndexAt = 57;
constexpr Position kShowCommandAt = 61;
constexpr Position kHotkeyKeyAt = 65;
constexpr Position kHotkeyModifiersAt = 66;
constexpr Position kIdListSizeAt = 77;
constexpr Position kAfterHeader = 77;

// The run of length bytes at start, clipped to the data: a start below 1 counts as 1, a start
// past the last byte or a length of 0 or less gives nothing, and the run stops at the last byte.
ByteSeq Run(const ByteSeq& data, Position start, Position length) {
    const auto size = static_cast<Position>(data.size());
    start = std::max<Position>(start, 1);
    if (start > size || length <= 0) {
        return {};
    }
    length = std::min(length, size - start + 1);
    return BytesMid(data, static_cast<std::int32_t>(start), static_cast<std::int32_t>(length));
}

// Signed 32-bit little-endian; missing high bytes at the end of the data count as zero.
std::int32_t Value4(const ByteSeq& data, Position at) {
    return GetBytesData<3>(Run(data, at, 4));
}

// Unsigned 16-bit little-endian, by the same rule.
std::int32_t Value2(const ByteSeq& data, Position at) {
    return GetBytesData<3>(Run(data, at, 2));
}

// A single byte, which unlike the runs must lie inside the data.
std::optional<std::uint8_t> ByteAt(const ByteSeq& data, Position at) {
    if (at < 1 || at > static_cast<Position>(data.size())) {
        return std::nullopt;
    }
    return data[static_cast<std::size_t>(at - 1)];
}

// Flag k (1-based) of the digit text; a position past its end is neither "1" nor "0".
bool FlagIs(const Text& digits, std::int32_t k, char digit) {
    return TextMid(digits, k, 1) == Text(1, digit);
}

// A StringData string at cursor: a count of UTF-16 code units, then the units. The cursor moves
// past the string by its count, whether or not the data holds that many units.
Text ReadCountedString(const ByteSeq& data, Position& cursor) {
    const Position count = Value2(data, cursor);
    ByteSeq units = Run(data, cursor + 2, 2 * count);
    // Cut by the end of the data after an odd number of bytes: the half code unit is dropped
    // rather than read as a character of its own.
    if (units.size() % 2 != 0) {
        units.pop_back();
    }
    units.push_back(0);
    units.push_back(0);
    cursor += 2 + 2 * count;
    return WideToAnsi(units);
}

Text ShowModeName(std::uint8_t showCommand) {
    switch (showCommand) {
    case 1: // SW_SHOWNORMAL
        return texts::kShowNormal;
    case 3: // SW_SHOWMAXIMIZED
        return texts::kShowMaximized;
    case 7: // SW_SHOWMINNOACTIVE
        return texts::kShowMinimized;
    default:
        return {};
    }
}

bool IsFunctionKey(std::uint8_t key) {
    return key >= 0x70 && key <= 0x7F; // F1 to F16
}

bool IsDigitOrCapital(std::uint8_t key) {
    return (key >= 0x30 && key <= 0x39) || (key >= 0x41 && key <= 0x5A);
}

// Only the three two-modifier combinations get a prefix (1 Shift, 2 Ctrl, 4 Alt).
Text HotkeyPrefix(std::uint8_t modifiers) {
    switch (modifiers) {
    case 3:
        return texts::kHotkeyCtrlShift;
    case 5:
        return texts::kHotkeyShiftAlt;
    case 6:
        return texts::kHotkeyCtrlAlt;
    default:
        return {};
    }
}

Text HotkeyName(std::uint8_t key, std::uint8_t modifiers) {
    const Text prefix = HotkeyPrefix(modifiers);
    if (IsFunctionKey(key)) {
        return prefix + "F" + ToText(static_cast<std::int32_t>(key) - 111);
    }
    // A digit or letter without one of the three prefixes gets no name at all.
    if (prefix.empty()) {
        return {};
    }
    return prefix + CharFromCode(key);
}

// Steps 7 to 9 of the header. False when the data ends before a byte the header needs; the fields
// set until then stay.
bool ReadHeaderFields(const ByteSeq& data, ShortcutInfo& info) {
    info.IconIndex = Value4(data, kIconIndexAt);

    // The data must reach every single-byte field; a file that ends inside the header stops the
    // reading with what it has rather than taking the missing bytes as zero.
    const auto showCommand = ByteAt(data, kShowCommandAt);
    if (!showCommand) {
        return false;
    }
    info.ShowMode = ShowModeName(*showCommand);

    const auto key = ByteAt(data, kHotkeyKeyAt);
    if (!key) {
        return false;
    }
    if (IsFunctionKey(*key) || IsDigitOrCapital(*key)) {
        const auto modifiers = ByteAt(data, kHotkeyModifiersAt);
        if (!modifiers) {
            return false;
        }
        info.Hotkey = HotkeyName(*key, *modifiers);
    }
    return true;
}

void ReadLinkInfo(const ByteSeq& data, Position linkInfo, const Text& flags, ShortcutInfo& info) {
    // Only a LinkInfo for a local volume alone (flags byte 1) gives a target. A network target,
    // or both kinds, ends the reading: its strings are not read either.
    const auto linkInfoFlags = ByteAt(data, linkInfo + 8);
    if (!linkInfoFlags || *linkInfoFlags != 1) {
        return;
    }
    const Position localBasePath = Value4(data, linkInfo + 16);
    const Position commonPathSuffix = Value4(data, linkInfo + 24);
    // The target runs from LocalBasePath to the byte before CommonPathSuffix; the suffix itself
    // and the Unicode path of a longer LinkInfo are not used.
    info.TargetPath =
        ToText(Run(data, linkInfo + localBasePath, commonPathSuffix - localBasePath - 1));

    // Only the low two bytes of LinkInfoSize place the strings.
    Position cursor = linkInfo + Value2(data, linkInfo);
    Text* const fields[] = {&info.Description, &info.RelativePath, &info.WorkingDirectory,
                            &info.Arguments, &info.IconLocation};
    std::int32_t digit = 3;
    for (Text* field : fields) {
        if (FlagIs(flags, digit, '1')) {
            *field = ReadCountedString(data, cursor);
        }
        ++digit;
    }
}

// Without LinkInfo two strings are read, whatever the string flags say: the first is a working
// directory when it looks like a path with a drive, else a description; the second is the icon.
void ReadWithoutLinkInfo(const ByteSeq& data, Position at, const Text& flags, ShortcutInfo& info) {
    if (FlagIs(flags, 1, '1') && !FlagIs(flags, 2, '0')) {
        return; // LinkFlags exactly 1: an ID list and nothing else announced
    }
    Position cursor = at;
    Text first = ReadCountedString(data, cursor);
    if (FindText(first, ":\\") != -1) {
        info.WorkingDirectory = std::move(first);
    } else {
        info.Description = std::move(first);
    }
    info.IconLocation = ReadCountedString(data, cursor);
}

} // namespace

Text BinaryDigits(std::int32_t value) {
    if (value < 0) {
        return {};
    }
    Text digits;
    while (value > 1) {
        digits += static_cast<char>('0' + value % 2);
        value /= 2;
    }
    digits += static_cast<char>('0' + value);
    return digits;
}

void ParseShortcut(const ByteSeq& data, ShortcutInfo& info) {
    // The signature: HeaderSize 76 read as text, so a 0x4C followed by a zero byte or by nothing.
    // LinkCLSID is not examined.
    if (ToText(Run(data, 1, 4)) != "L") {
        return;
    }
    const std::int32_t linkFlags = Value4(data, kLinkFlagsAt);
    if (!ReadHeaderFields(data, info)) {
        return;
    }
    // Bit 31 is reserved and never set by the shell. Such flags say nothing this reader can rely
    // on: the header fields stand, and nothing after the header is read.
    if (linkFlags < 0) {
        return;
    }
    const Text flags = BinaryDigits(linkFlags);

    // The ID list is skipped by its size; its items are not read.
    const Position linkInfo =
        FlagIs(flags, 1, '1') ? kIdListSizeAt + 2 + Value2(data, kIdListSizeAt) : kAfterHeader;

    if (FlagIs(flags, 2, '1')) {
        ReadLinkInfo(data, linkInfo, flags, info);
    } else {
        ReadWithoutLinkInfo(data, linkInfo, flags, info);
    }
}

void ReadShortcut(Text& path, ShortcutInfo& info) {
    info.TargetPath.clear();
    info.WorkingDirectory.clear();
    info.RelativePath.clear();
    info.Description.clear();
    info.Arguments.clear();
    info.ShowMode.clear();
    info.IconLocation.clear();
    info.Hotkey.clear();
    if (path.empty()) {
        return;
    }
    // Only the last three characters count, with no test for a dot. They are lower-cased with the
    // whole path, so that the second byte of a double-byte character is never taken for a letter.
    if (TextRight(ToLowerCase(path), 3) != "lnk") {
        path += texts::kLinkExtension;
    }
    ParseShortcut(ReadFileBytes(path), info);
}

} // namespace kelvane
