// Conversions between the ANSI code page (GBK) and UTF-16, where texts cross the automation
// interface and the wide-character Windows calls.
#pragma once

#include <string>
#include <string_view>

#include "base/Types.h"

namespace kelvane {

// The text in UTF-16; a byte that opens no valid GBK character becomes the code page's default.
std::wstring AnsiToWide(std::string_view text);

// The text in the ANSI code page, up to its first zero character. convertedWithLoss, when given,
// is set to whether the result fails to give the text back: a character without a form in the
// code page came out as the default character or as a look-alike.
Text WideToAnsi(std::wstring_view text, bool* convertedWithLoss = nullptr);

// A byte sequence of UTF-16 (little-endian) code units as a Text in code page 936; an odd last
// byte is ignored, and characters the code page lacks become its default character.
Text WideToGbk(const ByteSeq& utf16);

} // namespace kelvane
