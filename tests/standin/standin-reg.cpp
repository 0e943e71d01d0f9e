// standin-reg register|unregister: points "WScript.Shell" of the Wine prefix at the stand-in DLL
// beside this program, or leaves it with no class, so that it cannot be created. For end-to-end
// scripts, which hold the CTest resource lock "prefix" while they rely on either.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/standin/StandInRegistration.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "register") == 0) {
        wchar_t self[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring path(self, length);
        path.resize(path.find_last_of(L'\\') + 1);
        path += L"kelvane_standin.dll";
        if (length == 0 || length >= MAX_PATH || !kelvane::standin::Register(path)) {
            std::fputs("standin-reg: could not register the stand-in\n", stderr);
            return 1;
        }
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "unregister") == 0) {
        if (!kelvane::standin::MakeUncreatable()) {
            std::fputs("standin-reg: could not remove the class of WScript.Shell\n", stderr);
            return 1;
        }
        return 0;
    }
    std::fputs("usage: standin-reg register|unregister\n", stderr);
    return 2;
}
