// Byte sequences: counted, may hold zero bytes, 1-based positions, reads past the end clipped.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/Text.h"
#include "base/Types.h"

namespace kelvane {

std::int32_t BytesLength(const ByteSeq& bytes);
// The first n bytes; all of them when n is at least the length; empty when n <= 0.
ByteSeq BytesLeft(const ByteSeq& bytes, std::int32_t n);
// n bytes from position start, fewer when the sequence ends first. A start below 1 counts as 1;
// a start past the last byte, or n <= 0, gives the empty sequence.
ByteSeq BytesMid(const ByteSeq& bytes, std::int32_t start, std::int32_t n);
// n zero bytes; empty when n <= 0.
ByteSeq BlankBytes(std::int32_t n);

// The signed 32-bit little-endian integer in the first 4 bytes; when fewer are there, the bytes
// present are the low-order bytes and the missing ones count as zero.
std::int32_t BytesToInt32(const ByteSeq& bytes);

// The value read from the first bytes of the sequence, by type code: 3 reads a signed 32-bit
// little-endian integer (BytesToInt32), 10 reads a Text (ToText of the bytes).
template <int TypeCode>
auto GetBytesData(const ByteSeq& bytes) {
    static_assert(TypeCode == 3 || TypeCode == 10, "type codes 3 and 10 only");
    if constexpr (TypeCode == 3) {
        return BytesToInt32(bytes);
    } else {
        return ToText(bytes);
    }
}

// A copy of the n bytes of memory that begin at address; empty when n <= 0.
ByteSeq PointerToBytes(const void* address, std::int32_t n);

// The whole file; empty for an empty path, a file that cannot be opened, or a read error. On
// Windows the file is opened with other writers shut out while it is read.
ByteSeq ReadFileBytes(std::string_view path);

} // namespace kelvane
