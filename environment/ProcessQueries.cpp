// The environment object's questions about the running process. Each result is the whole value:
// a buffer too small for it is made as large as the call asks for.
#include "environment/SystemEnvironment.h"

#include <windows.h>

#include <psapi.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstring>

#include "SystemTexts.h"
#include "base/Handles.h"
#include "environment/ProcessVariable.h"
#include "environment/WideText.h"

namespace kelvane {

std::int32_t SystemEnvironment::GetArguments(TextArray& arguments) {
    arguments.clear();
    int count = 0;
    LPWSTR* const words = CommandLineToArgvW(GetCommandLineW(), &count);
    const UniqueLocal list(words);
    if (words == nullptr || count <= 1) {
        return 0;
    }
    for (int k = 1; k < count; ++k) {
        const int units = lstrlenW(words[k]);
        ByteSeq bytes(static_cast<std::size_t>(units) * 2);
        if (!bytes.empty()) {
            std::memcpy(bytes.data(), words[k], bytes.size());
        }
        arguments.push_back(WideToGbk(bytes));
    }
    return static_cast<std::int32_t>(arguments.size());
}

Text SystemEnvironment::GetWorkingDirectory() {
    Text directory(255, '\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD count =
            GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data());
        if (count == 0) {
            return {};
        }
        if (count < directory.size()) {
            directory.resize(count);
            return directory;
        }
        directory.assign(count, '\0'); // count is the size needed, the zero included
    }
    return {};
}

Text SystemEnvironment::GetOwnFileName(std::optional<bool> withPath) {
    // The call cuts a path that does not fit and says so only by filling the buffer.
    Text path(256, '\0');
    DWORD count = 0;
    for (;;) {
        count = GetModuleFileNameExA(GetCurrentProcess(), nullptr, path.data(),
                                     static_cast<DWORD>(path.size()));
        if (count == 0) {
            return {};
        }
        if (count < path.size() - 1 || path.size() >= 65536) {
            break;
        }
        path.assign(path.size() * 2, '\0');
    }
    path.resize(count);
    if (withPath.value_or(false)) {
        return path;
    }
    return PathFindFileNameA(path.c_str());
}

Text SystemEnvironment::GetCommandInterpreter() {
    return ProcessVariable(texts::kComSpecName);
}

} // namespace kelvane
