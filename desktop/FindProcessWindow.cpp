#include "desktop/FindProcessWindow.h"

#include <vector>

#include "base/System.h"

#include "base/Text.h"

namespace kelvane {

namespace {

constexpr std::int32_t kDefaultTimeoutMs = 31536000;
constexpr int kClassNameCapacity = 50;

bool IsCandidate(HWND window, DWORD processId) {
    if (window == nullptr || IsWindow(window) != TRUE || IsWindowVisible(window) == FALSE) {
        return false;
    }
    DWORD owningProcess = 0;
    GetWindowThreadProcessId(window, &owningProcess);
    return owningProcess == processId;
}

Text WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) {
        return {};
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextA(window, buffer.data(), length + 1);
    return copied > 0 ? Text(buffer.data(), static_cast<std::size_t>(copied)) : Text();
}

Text ClassName(HWND window) {
    char buffer[kClassNameCapacity];
    const int copied = GetClassNameA(window, buffer, kClassNameCapacity);
    return copied > 0 ? Text(buffer, static_cast<std::size_t>(copied)) : Text();
}

bool Contains(std::string_view text, std::optional<std::string_view> part) {
    return FindText(text, part.value_or(std::string_view()), 1) > 0;
}

} // namespace

HWND FindProcessWindow(DWORD processId, std::optional<std::string_view> titlePart,
                       std::optional<std::string_view> classPart,
                       std::optional<std::int32_t> timeoutMs) {
    const std::int32_t timeout =
        timeoutMs.has_value() && *timeoutMs != -1 ? *timeoutMs : kDefaultTimeoutMs;
    const std::uint32_t start = TickCount();
    HWND previous = nullptr;
    for (;;) {
        // Unsigned difference: right across the wrap of the tick count after 49.7 days.
        if (timeout <= 0 || TickCount() - start >= static_cast<std::uint32_t>(timeout)) {
            return nullptr;
        }
        // After the last window FindWindowExA gives null, and null as the previous window starts
        // the next pass at the first one.
        HWND window = FindWindowExA(nullptr, previous, nullptr, nullptr);
        previous = window;
        if (IsCandidate(window, processId) &&
            (Contains(WindowText(window), titlePart) || Contains(ClassName(window), classPart) ||
             !(titlePart.has_value() && classPart.has_value()))) {
            return window;
        }
        ProcessEvents();
    }
}

} // namespace kelvane
