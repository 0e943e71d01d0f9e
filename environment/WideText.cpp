#include "environment/WideText.h"

#include <windows.h>

#include <climits>

namespace kelvane {

std::wstring AnsiToWide(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed);
    return wide;
}

Text WideToAnsi(std::wstring_view text, bool* convertedWithLoss) {
    if (convertedWithLoss != nullptr) {
        *convertedWithLoss = false;
    }
    text = text.substr(0, text.find(L'\0'));
    if (text.empty() || text.size() > INT_MAX / 2) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int needed =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    Text ansi(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), needed, nullptr, &usedDefault);
    if (convertedWithLoss != nullptr) {
        // Best-fit mappings (a look-alike instead of the character) do not raise the default
        // flag; only the way back shows them.
        *convertedWithLoss = usedDefault != FALSE || AnsiToWide(ansi) != text;
    }
    return ansi.substr(0, ansi.find('\0'));
}

Text WideToGbk(const ByteSeq& utf16) {
    std::wstring wide(utf16.size() / 2, L'\0');
    for (std::size_t k = 0; k < wide.size(); ++k) {
        wide[k] = static_cast<wchar_t>(utf16[2 * k] | utf16[2 * k + 1] << 8);
    }
    if (wide.empty() || wide.size() > INT_MAX / 2) {
        return {};
    }
    constexpr UINT kGbk = 936;
    const int length = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(kGbk, WC_COMPOSITECHECK, wide.data(), length, nullptr, 0,
                                           nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    Text gbk(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kGbk, WC_COMPOSITECHECK, wide.data(), length, gbk.data(), needed, nullptr,
                        nullptr);
    return gbk.substr(0, gbk.find('\0'));
}

} // namespace kelvane
