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

} // namespace kelvane
