// make-shortcut DIR: writes every shell-made test shortcut into DIR as NAME.lnk, through the
// shell's own link object. Run under Wine by corpus/make-shell-corpus and by the cross-check with
// the independent reader.
#include <windows.h>

#include <objbase.h>

#include <cstdio>

#include "jdkfind/tests/ShellShortcut.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-shortcut DIR\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr))) {
        return 1;
    }
    int failures = 0;
    for (const auto& shellCase : kelvane::testing::ShellCases()) {
        const std::string file = std::string(argv[1]) + "\\" + shellCase.name + ".lnk";
        if (!kelvane::testing::MakeShellShortcut(file, shellCase.request)) {
            std::fprintf(stderr, "make-shortcut: could not make %s\n", file.c_str());
            ++failures;
        }
    }
    CoUninitialize();
    return failures == 0 ? 0 : 1;
}
