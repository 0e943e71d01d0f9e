#include "environment/ProcessVariable.h"

#include <windows.h>

#include <string>

#include "environment/WideText.h"

namespace kelvane {

// Read in UTF-16 and converted here: Wine's GetEnvironmentVariableA cuts a value that holds
// double-byte characters at its length in UTF-16 units, and the conversion here also tells what
// the code page lost.
Text ProcessVariable(std::string_view name, bool* convertedWithLoss) {
    if (convertedWithLoss != nullptr) {
        *convertedWithLoss = false;
    }
    const std::wstring wideName = AnsiToWide(name);
    if (wideName.empty()) {
        return {};
    }
    std::wstring value(256, L'\0');
    // The value can change between the calls; the bound keeps that from looping for ever.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD count = GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                    static_cast<DWORD>(value.size()));
        if (count == 0) {
            return {};
        }
        if (count < value.size()) {
            value.resize(count);
            return WideToAnsi(value, convertedWithLoss);
        }
        // Too small: count is the size needed, the zero included.
        value.assign(count, L'\0');
    }
    return {};
}

} // namespace kelvane
