#include "base/Bytes.h"

#include <algorithm>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include "base/Handles.h"
#else
#include <cstdio>
#include <memory>
#endif

namespace kelvane {

std::int32_t BytesLength(const ByteSeq& bytes) {
    return static_cast<std::int32_t>(bytes.size());
}

ByteSeq BytesLeft(const ByteSeq& bytes, std::int32_t n) {
    if (n <= 0) {
        return {};
    }
    const std::size_t count = std::min(bytes.size(), static_cast<std::size_t>(n));
    return ByteSeq(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
}

ByteSeq BytesMid(const ByteSeq& bytes, std::int32_t start, std::int32_t n) {
    const std::size_t first = static_cast<std::size_t>(std::max<std::int32_t>(start, 1)) - 1;
    if (first >= bytes.size() || n <= 0) {
        return {};
    }
    const std::size_t count = std::min(bytes.size() - first, static_cast<std::size_t>(n));
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(first);
    return ByteSeq(begin, begin + static_cast<std::ptrdiff_t>(count));
}

ByteSeq BlankBytes(std::int32_t n) {
    return n <= 0 ? ByteSeq() : ByteSeq(static_cast<std::size_t>(n), 0);
}

std::int32_t BytesToInt32(const ByteSeq& bytes) {
    std::uint32_t value = 0;
    const std::size_t count = std::min<std::size_t>(bytes.size(), 4);
    for (std::size_t k = 0; k < count; ++k) {
        value |= static_cast<std::uint32_t>(bytes[k]) << (8 * k);
    }
    return static_cast<std::int32_t>(value);
}

ByteSeq PointerToBytes(const void* address, std::int32_t n) {
    if (n <= 0) {
        return {};
    }
    ByteSeq bytes(static_cast<std::size_t>(n));
    std::memcpy(bytes.data(), address, bytes.size());
    return bytes;
}

#ifdef _WIN32

ByteSeq ReadFileBytes(std::string_view path) {
    if (path.empty()) {
        return {};
    }
    const Text zeroTerminated(path);
    UniqueFile file(CreateFileA(zeroTerminated.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > INT32_MAX) {
        return {};
    }
    ByteSeq bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled),
                      &read, nullptr)) {
            return {};
        }
        if (read == 0) {
            break; // the file shrank after its size was taken: keep what is there
        }
        filled += read;
    }
    bytes.resize(filled);
    return bytes;
}

#else

ByteSeq ReadFileBytes(std::string_view path) {
    if (path.empty()) {
        return {};
    }
    const Text zeroTerminated(path);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(zeroTerminated.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) {
        return {};
    }
    ByteSeq bytes;
    unsigned char chunk[4096];
    std::size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (bytes.size() + read > static_cast<std::size_t>(INT32_MAX)) {
            return {};
        }
        bytes.insert(bytes.end(), chunk, chunk + read);
    }
    if (std::ferror(file.get())) {
        return {};
    }
    return bytes;
}

#endif

} // namespace kelvane
