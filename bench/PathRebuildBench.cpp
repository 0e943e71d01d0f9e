// Time to rebuild Path for old values of 3,000 to 30,000 bytes and of 32,767 bytes, the most a
// variable holds. Prints one line per size; the time per byte should stay flat.
#include <chrono>
#include <cstdio>
#include <string>

#include "environment/PathRebuild.h"

namespace {

// Entries like a real Path's: system folders, program folders with Chinese names, and every
// fifth one a Java folder that the rebuild drops.
std::string MakePath(std::size_t size) {
    std::string path;
    for (int i = 0; path.size() < size; ++i) {
        if (!path.empty()) {
            path += ';';
        }
        switch (i % 5) {
        case 0:
            path += "C:\\Windows\\System32\\Wbem";
            break;
        case 1:
            path += "D:\\\xB9\xA4\xBE\xDF\\tool" + std::to_string(i) + "\\bin";
            break;
        case 2:
            path += "C:\\Program Files\\Git\\cmd";
            break;
        case 3:
            path += "C:\\Program Files\\Common Files\\Oracle\\Java\\javapath";
            break;
        default:
            path += "%SystemRoot%\\system32";
            break;
        }
    }
    path.resize(size);
    return path;
}

double MicrosecondsPerRebuild(const std::string& oldPath) {
    using Clock = std::chrono::steady_clock;
    std::size_t total = 0;
    int runs = 0;
    const auto start = Clock::now();
    auto elapsed = Clock::duration::zero();
    while (runs < 20 || elapsed < std::chrono::milliseconds(200)) {
        total += kelvane::RebuildPath(oldPath).size();
        ++runs;
        elapsed = Clock::now() - start;
    }
    if (total == 0) {
        std::puts("the rebuild gave nothing"); // keeps the calls from being optimised away
    }
    return std::chrono::duration<double, std::micro>(elapsed).count() / runs;
}

} // namespace

int main() {
    std::printf("%10s %14s %12s\n", "old bytes", "us/rebuild", "ns/byte");
    for (std::size_t size = 3000; size <= 30000; size += 3000) {
        const double us = MicrosecondsPerRebuild(MakePath(size));
        std::printf("%10zu %14.1f %12.2f\n", size, us, us * 1000.0 / static_cast<double>(size));
    }
    const std::size_t largest = 32767;
    const double us = MicrosecondsPerRebuild(MakePath(largest));
    std::printf("%10zu %14.1f %12.2f\n", largest, us, us * 1000.0 / static_cast<double>(largest));
    return 0;
}
