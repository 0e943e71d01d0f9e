// A child program for the tests of the process queries: prints what the environment object
// answers about this process, one "key hex-bytes" line each, so that no code page stands between
// it and the test.
#include <cstdio>

#include "environment/SystemEnvironment.h"

namespace {

void Print(const char* key, const kelvane::Text& text) {
    std::printf("%s ", key);
    for (const char byte : text) {
        std::printf("%02X", static_cast<unsigned char>(byte));
    }
    std::printf("\n");
}

} // namespace

int main() {
    kelvane::SystemEnvironment environment;
    // Held before the call: it must be replaced, not appended to.
    kelvane::TextArray arguments = {"stale 1", "stale 2"};
    const std::int32_t count = environment.GetArguments(arguments);
    std::printf("count %d %d\n", static_cast<int>(count), static_cast<int>(arguments.size()));
    for (const kelvane::Text& argument : arguments) {
        Print("argument", argument);
    }
    Print("directory", environment.GetWorkingDirectory());
    Print("path", environment.GetOwnFileName(true));
    Print("name", environment.GetOwnFileName(std::nullopt));
    Print("interpreter", environment.GetCommandInterpreter());
    return 0;
}
