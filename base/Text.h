// Texts of the program: byte strings in the ANSI code page (GBK, code page 936).
//
// Lengths and positions count bytes, positions are 1-based, and a search that finds nothing
// gives -1. A byte of 0x80 or above opens a double-byte character together with the byte after
// it; the searching primitives never start a match on such a second byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/Types.h"

// <windows.h> (through <commdlg.h>) maps FindText to FindTextA; the program's FindText is the
// one below. Include <windows.h> before this header.
#ifdef FindText
#undef FindText
#endif

namespace kelvane {

// True for a byte that opens a double-byte GBK character.
constexpr bool IsLeadByte(unsigned char byte) noexcept {
    return byte >= 0x80;
}

// The first n bytes; the whole text when n is at least its length; empty when n <= 0.
Text TextLeft(std::string_view text, std::int32_t n);
// The last n bytes, by the same rules.
Text TextRight(std::string_view text, std::int32_t n);
// n bytes from position start; empty when start is below 1 or past the last byte, or n <= 0.
Text TextMid(std::string_view text, std::int32_t start, std::int32_t n);

// Position of the first occurrence of pattern at or after start, tried on character boundaries
// only; -1 when there is none. An empty pattern gives 1 when the searched part is not empty.
std::int32_t FindText(std::string_view text, std::string_view pattern,
                      std::optional<std::int32_t> start = std::nullopt,
                      std::optional<bool> ignoreCase = std::nullopt);

// ASCII capitals to small letters; double-byte characters are copied unchanged.
Text ToLowerCase(std::string_view text);

// Without ASCII spaces and full-width spaces (0xA1 0xA1) at both ends; a dangling lead byte at
// the end is dropped as well. Tabs and line breaks stay.
Text TrimSpaces(std::string_view text);

// The pieces between occurrences of separator. A trailing separator makes no empty last piece.
TextArray SplitText(std::string_view text, std::string_view separator);

// n ASCII spaces; empty when n <= 0.
Text BlankText(std::int32_t n);

// The one-byte text of code (0 to 255); code 0 gives the empty text.
Text CharFromCode(std::int32_t code);

Text ToText(std::int32_t value);
// Formatted like printf's "%.13g".
Text ToText(double value);
// The bytes before the first zero byte, or all of them.
Text ToText(const ByteSeq& bytes);

} // namespace kelvane
