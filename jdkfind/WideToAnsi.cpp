#include "jdkfind/WideToAnsi.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include <string>
#include <vector>
#else
#include <iconv.h>

#include <memory>
#include <type_traits>
#endif

namespace kelvane {

#ifdef _WIN32

Text WideToAnsi(const ByteSeq& units) {
    const std::size_t n = units.size();
    // The units are copied into wchar_t storage: the bytes need not be aligned for wchar_t, and
    // the copy's own terminator keeps the conversion inside the argument when it lacks a zero unit.
    std::wstring wide(n / 2, L'\0');
    std::memcpy(wide.data(), units.data(), wide.size() * sizeof(wchar_t));

    // n bytes of room always suffice in a double-byte code page such as GBK: no unit needs more
    // than two bytes, and the terminating zero unit alone takes two of them.
    std::vector<char> buffer(n + 1, '\0');
    const int written = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, buffer.data(),
                                            static_cast<int>(n), nullptr, nullptr);
    // A code page that needs more than two bytes for a unit (UTF-8, GB18030) may not fit: convert
    // again into the room the conversion asks for, rather than give a text cut at a random place.
    if (written == 0 && n > 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        const int needed =
            WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
        if (needed > 0) {
            buffer.assign(static_cast<std::size_t>(needed) + 1, '\0');
            WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, buffer.data(), needed, nullptr,
                                nullptr);
        }
    }
    return Text(buffer.data());
}

#else

namespace {

struct IconvCloser {
    void operator()(void* descriptor) const { iconv_close(static_cast<iconv_t>(descriptor)); }
};
using UniqueIconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

} // namespace

Text WideToAnsi(const ByteSeq& units) {
    UniqueIconv converter(iconv_open("GBK", "UTF-16LE"));
    if (converter.get() == reinterpret_cast<iconv_t>(-1)) {
        converter.release();
        return {};
    }
    Text result;
    // One code unit at a time, as the Windows conversion to a double-byte code page goes: each
    // unit that GBK lacks, a lone or paired surrogate included, becomes one "?".
    for (std::size_t k = 0; k + 1 < units.size(); k += 2) {
        if (units[k] == 0 && units[k + 1] == 0) {
            break;
        }
        char in[2] = {static_cast<char>(units[k]), static_cast<char>(units[k + 1])};
        char out[8];
        char* inPointer = in;
        char* outPointer = out;
        std::size_t inLeft = sizeof in;
        std::size_t outLeft = sizeof out;
        if (iconv(converter.get(), &inPointer, &inLeft, &outPointer, &outLeft) ==
            static_cast<std::size_t>(-1)) {
            iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
            result += '?';
        } else {
            result.append(out, outPointer);
        }
    }
    return result;
}

#endif

} // namespace kelvane
