// Stands in for java.exe in the end-to-end test of the Configure command: a command prompt that
// finds it through the new Path prints where it came from.
#include <windows.h>

#include <cstdio>

int main() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::printf("kelvane test java at %s\n", path);
    return 0;
}
