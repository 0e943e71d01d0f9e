// start-timer RUNS PROGRAM-A PROGRAM-B: starts the two programs in turn, RUNS times each, and
// for every start measures the time from CreateProcess to the first visible top-level window of
// the new process, and the peak working set of the process once that window is shown. Prints
// the medians of both and their ratios, one figure a line. Every program is closed through its
// window (WM_CLOSE) and, should it not end within 10 s, terminated.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct Sample {
    double milliseconds;
    double peakWorkingSetKiB;
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

// One start of the program; false when it did not show a window within 30 s.
bool Measure(const std::string& program, Sample& sample) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "start-timer: cannot start %s (%lu)\n", program.c_str(),
                     GetLastError());
        return false;
    }
    CloseHandle(process.hThread);
    Search search{process.dwProcessId, nullptr};
    LARGE_INTEGER now = start;
    while (search.found == nullptr && Seconds(start, now) < 30.0) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        if (search.found == nullptr) {
            Sleep(1);
        }
    }
    sample.milliseconds = Seconds(start, now) * 1000.0;
    // The window has had its first paint queued by now; give it a moment to draw, so that the
    // peak covers a shown window rather than one caught half-way.
    Sleep(300);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const bool measured =
        GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters) != FALSE;
    sample.peakWorkingSetKiB = static_cast<double>(counters.PeakWorkingSetSize) / 1024.0;
    if (search.found != nullptr) {
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 10000);
    }
    CloseHandle(process.hProcess);
    if (search.found == nullptr) {
        std::fprintf(stderr, "start-timer: %s showed no window within 30 s\n", program.c_str());
    }
    return search.found != nullptr && measured;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || std::atoi(argv[1]) < 1) {
        std::fprintf(stderr, "usage: start-timer RUNS PROGRAM-A PROGRAM-B\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::string programs[2] = {argv[2], argv[3]};
    std::vector<double> times[2];
    std::vector<double> peaks[2];
    // One start of each first, not counted: it fills the file cache and starts Wine's services.
    for (const auto& program : programs) {
        Sample ignored{};
        if (!Measure(program, ignored)) {
            return 1;
        }
    }
    for (int run = 0; run < runs; ++run) {
        // Alternate which program goes first, so that neither always follows the other.
        for (int turn = 0; turn < 2; ++turn) {
            const int which = (run + turn) % 2;
            Sample sample{};
            if (!Measure(programs[which], sample)) {
                return 1;
            }
            times[which].push_back(sample.milliseconds);
            peaks[which].push_back(sample.peakWorkingSetKiB);
        }
    }
    const double timeA = Median(times[0]);
    const double timeB = Median(times[1]);
    const double peakA = Median(peaks[0]);
    const double peakB = Median(peaks[1]);
    std::printf("start-up runs of each program: %d, alternating\n", runs);
    std::printf("start-up median of %s: %.1f ms\n", argv[2], timeA);
    std::printf("start-up median of %s: %.1f ms\n", argv[3], timeB);
    std::printf("start-up ratio: %.2f\n", timeA / timeB);
    std::printf("peak working set median of %s: %.0f KiB\n", argv[2], peakA);
    std::printf("peak working set median of %s: %.0f KiB\n", argv[3], peakB);
    std::printf("peak working set ratio: %.2f\n", peakA / peakB);
    return 0;
}
