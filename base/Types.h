// The value types that every part of the program passes around.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvane {

// A byte string in the ANSI code page (GBK). It ends where the platform's zero byte would be;
// whatever builds a Text from raw bytes stops at the first zero byte.
using Text = std::string;

// A counted byte sequence, which may hold zero bytes.
using ByteSeq = std::vector<std::uint8_t>;

// An array of texts that owns its elements.
using TextArray = std::vector<Text>;

} // namespace kelvane
