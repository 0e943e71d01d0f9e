// shortcut-info FILE: prints what the shortcut reader makes of a shortcut, one field a line as
// Name=value, the texts turned from the ANSI code page (GBK) into UTF-8 for the terminal. For
// looking at a shortcut whose target Kelvane gets wrong.
#include <cstdio>
#include <string>

#include "base/Text.h"
#include "jdkfind/ShortcutReader.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace {

using kelvane::Text;

#ifdef _WIN32

// Through the system's ANSI code page, which is what the reader's texts are in there.
std::string ToUtf8(const Text& text) {
    if (text.empty()) {
        return {};
    }
    const int wideSize =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        wideSize);
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

#else

// A byte sequence that is no GBK comes out as "?" for each byte that cannot be taken.
std::string ToUtf8(const Text& text) {
    const iconv_t converter = iconv_open("UTF-8", "GBK");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return text;
    }
    std::string utf8;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char out[256];
        char* outPointer = out;
        std::size_t outLeft = sizeof out;
        const std::size_t result = iconv(converter, &in, &inLeft, &outPointer, &outLeft);
        utf8.append(out, outPointer);
        if (result == static_cast<std::size_t>(-1) && outLeft == sizeof out) {
            utf8 += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(converter);
    return utf8;
}

#endif

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: shortcut-info FILE\n");
        return 2;
    }
    Text path = argv[1];
    kelvane::ShortcutInfo info;
    kelvane::ReadShortcut(path, info);
    const struct {
        const char* name;
        std::string value;
    } fields[] = {
        {"TargetPath", ToUtf8(info.TargetPath)},
        {"WorkingDirectory", ToUtf8(info.WorkingDirectory)},
        {"RelativePath", ToUtf8(info.RelativePath)},
        {"Description", ToUtf8(info.Description)},
        {"Arguments", ToUtf8(info.Arguments)},
        {"ShowMode", ToUtf8(info.ShowMode)},
        {"IconLocation", ToUtf8(info.IconLocation)},
        {"IconIndex", kelvane::ToText(info.IconIndex)},
        {"Hotkey", ToUtf8(info.Hotkey)},
    };
    for (const auto& field : fields) {
        std::printf("%s=%s\n", field.name, field.value.c_str());
    }
    return 0;
}
