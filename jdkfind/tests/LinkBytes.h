// Builds shortcut bytes field by field, for tests that need one feature of the format at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "base/Types.h"

namespace kelvane::testing {

// LinkFlags bits.
inline constexpr std::int32_t kHasIdList = 0x01;
inline constexpr std::int32_t kHasLinkInfo = 0x02;
inline constexpr std::int32_t kHasName = 0x04;
inline constexpr std::int32_t kHasRelativePath = 0x08;
inline constexpr std::int32_t kHasWorkingDir = 0x10;
inline constexpr std::int32_t kHasArguments = 0x20;
inline constexpr std::int32_t kHasIconLocation = 0x40;
inline constexpr std::int32_t kIsUnicode = 0x80;

class LinkBytes {
  public:
    LinkBytes() = default;
    explicit LinkBytes(ByteSeq bytes) : bytes_(std::move(bytes)) {}

    void Put8(std::uint8_t value) { bytes_.push_back(value); }
    void Put16(std::uint32_t value) {
        Put8(static_cast<std::uint8_t>(value));
        Put8(static_cast<std::uint8_t>(value >> 8));
    }
    void Put32(std::uint32_t value) {
        Put16(value & 0xFFFF);
        Put16(value >> 16);
    }
    void PutBytes(std::string_view bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }

    // The 76-byte header: HeaderSize 76, a CLSID of zeros, then the fields the reader uses.
    LinkBytes& Header(std::uint32_t linkFlags, std::int32_t iconIndex = 0,
                      std::uint32_t showCommand = 1, std::uint8_t key = 0,
                      std::uint8_t modifiers = 0) {
        Put32(76);
        Fill(16);
        Put32(linkFlags);
        Fill(32); // attributes, three file times, file size
        Put32(static_cast<std::uint32_t>(iconIndex));
        Put32(showCommand);
        Put8(key);
        Put8(modifiers);
        Fill(10);
        return *this;
    }

    // An ID list of size bytes; the reader skips it by its size.
    LinkBytes& IdList(std::uint16_t size) {
        Put16(size);
        Fill(size);
        return *this;
    }

    // A LinkInfo with a local base path and a common path suffix, as the shell writes it.
    LinkBytes& LinkInfo(std::uint32_t flags, std::string_view basePath,
                        std::string_view suffix = {}) {
        constexpr std::uint32_t headerSize = 0x1C;
        constexpr std::uint32_t volumeIdSize = 0x11;
        const std::uint32_t basePathAt = headerSize + volumeIdSize;
        const auto suffixAt = basePathAt + static_cast<std::uint32_t>(basePath.size()) + 1;
        const auto size = suffixAt + static_cast<std::uint32_t>(suffix.size()) + 1;
        return LinkInfoFields(size, flags, basePathAt, suffixAt, basePath, suffix);
    }

    // A LinkInfo with every field as given. The base path and the suffix follow its header and
    // volume ID (at 0x2D) one after the other, whatever the offsets say; the LinkInfo is padded
    // to its size when that is a plausible one.
    LinkBytes& LinkInfoFields(std::uint32_t size, std::uint32_t flags, std::uint32_t basePathAt,
                              std::uint32_t suffixAt, std::string_view basePath,
                              std::string_view suffix) {
        const std::size_t start = bytes_.size();
        Put32(size);
        Put32(0x1C);
        Put32(flags);
        Put32(0x1C); // VolumeIDOffset
        Put32(basePathAt);
        Put32(0); // CommonNetworkRelativeLinkOffset
        Put32(suffixAt);
        Put32(0x11); // VolumeID: its size, a fixed drive, a serial number, a label offset,
        Put32(3);    // and an empty label
        Put32(0x12345678);
        Put32(0x10);
        Put8(0);
        PutBytes(basePath);
        Put8(0);
        PutBytes(suffix);
        Put8(0);
        if (size < 0x10000) {
            PadTo(start + size);
        }
        return *this;
    }

    // A StringData string: its count of UTF-16 code units, then the units.
    LinkBytes& String(std::u16string_view text) {
        return CountedString(static_cast<std::uint16_t>(text.size()), text);
    }
    LinkBytes& CountedString(std::uint16_t count, std::u16string_view units) {
        Put16(count);
        for (char16_t unit : units) {
            Put16(unit);
        }
        return *this;
    }

    LinkBytes& Fill(std::size_t count, std::uint8_t value = 0) {
        bytes_.insert(bytes_.end(), count, value);
        return *this;
    }
    // Overwrites the 4 bytes at offset.
    LinkBytes& Patch32(std::size_t offset, std::uint32_t value) {
        for (std::size_t k = 0; k < 4; ++k) {
            bytes_.at(offset + k) = static_cast<std::uint8_t>(value >> (8 * k));
        }
        return *this;
    }
    LinkBytes& Cut(std::size_t size) {
        bytes_.resize(size);
        return *this;
    }

    const ByteSeq& Bytes() const { return bytes_; }

  private:
    void PadTo(std::size_t size) {
        if (bytes_.size() < size) {
            bytes_.resize(size, 0);
        }
    }

    ByteSeq bytes_;
};

} // namespace kelvane::testing
