#include "tests/gui/Driver.h"

#include <winternl.h>

#include <algorithm>
#include <thread>

namespace kelvane::gui {

namespace {

constexpr milliseconds kPollInterval{20};

struct WindowSearch {
    DWORD processId = 0;
    const char* className = nullptr;
    HWND owner = nullptr;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !IsWindowVisible(window) ||
        ClassName(window) != search.className) {
        return TRUE;
    }
    if (search.owner != nullptr && GetWindow(window, GW_OWNER) != search.owner) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

HWND FindTopLevel(WindowSearch search) {
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void SendKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

bool ReadRemote(HANDLE process, ULONG_PTR address, void* buffer, SIZE_T size) {
    SIZE_T read = 0;
    return ReadProcessMemory(process, reinterpret_cast<LPCVOID>(address), buffer, size, &read) &&
           read == size;
}

} // namespace

std::string KelvaneExe() {
    std::string path = KELVANE_EXE_PATH;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool WaitUntil(const std::function<bool()>& condition, milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return condition();
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

std::optional<KelvaneProcess> KelvaneProcess::Start(const std::string& exe,
                                                    const std::string& workingDirectory) {
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION information{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                        &information)) {
        return std::nullopt;
    }
    CloseHandle(information.hThread);
    return KelvaneProcess(information.hProcess, information.dwProcessId);
}

KelvaneProcess::~KelvaneProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 10000);
    }
}

HWND KelvaneProcess::WaitForWindow(const char* className, milliseconds timeout) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopLevel({id_, className, nullptr, nullptr});
            return found != nullptr;
        },
        timeout);
    return found;
}

std::optional<DWORD> KelvaneProcess::WaitForExit(milliseconds timeout) const {
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

std::optional<std::wstring> KelvaneProcess::CurrentDirectory() const {
    // Offsets that winternl.h leaves opaque: PEB.ProcessParameters, then
    // RTL_USER_PROCESS_PARAMETERS.CurrentDirectory, a UNICODE_STRING (two 16-bit lengths, then
    // the buffer's address). The driver reads a process of its own bitness.
    constexpr bool k64 = sizeof(void*) == 8;
    constexpr ULONG_PTR kProcessParametersOffset = k64 ? 0x20 : 0x10;
    constexpr ULONG_PTR kCurrentDirectoryOffset = k64 ? 0x38 : 0x24;
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (NtQueryInformationProcess(process_.get(), ProcessBasicInformation, &basic, sizeof basic,
                                  &length) != 0) {
        return std::nullopt;
    }
    ULONG_PTR parameters = 0;
    UNICODE_STRING directory{};
    if (!ReadRemote(process_.get(),
                    reinterpret_cast<ULONG_PTR>(basic.PebBaseAddress) + kProcessParametersOffset,
                    &parameters, sizeof parameters) ||
        !ReadRemote(process_.get(), parameters + kCurrentDirectoryOffset, &directory,
                    sizeof directory)) {
        return std::nullopt;
    }
    std::wstring text(directory.Length / sizeof(wchar_t), L'\0');
    if (!ReadRemote(process_.get(), reinterpret_cast<ULONG_PTR>(directory.Buffer), text.data(),
                    directory.Length)) {
        return std::nullopt;
    }
    return text;
}

std::vector<Control> Controls(HWND parent) {
    std::vector<Control> controls;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        Control control;
        control.handle = child;
        control.className = ClassName(child);
        control.text = WindowText(child);
        GetWindowRect(child, &control.bounds);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&control.bounds), 2);
        control.style = GetWindowLongPtrA(child, GWL_STYLE);
        control.exStyle = GetWindowLongPtrA(child, GWL_EXSTYLE);
        controls.push_back(control);
    }
    return controls;
}

Text WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return {};
    }
    // The A length may count more bytes than the text has; the copy tells the real size.
    Text text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied)) {
        return {};
    }
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<size_t>(std::max(length, 0)));
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

HWND WaitForOwnedWindow(HWND owner, const char* className, milliseconds timeout) {
    DWORD processId = 0;
    GetWindowThreadProcessId(owner, &processId);
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopLevel({processId, className, owner, nullptr});
            return found != nullptr;
        },
        timeout);
    return found;
}

std::optional<LRESULT> SendWithText(HWND window, UINT message, WPARAM wParam,
                                    std::string_view text) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const UniqueAny<detail::NullIsInvalid<HANDLE, CloseHandle>> process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) {
        return std::nullopt;
    }
    void* remote = VirtualAllocEx(process.get(), nullptr, text.size() + 1, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    if (remote == nullptr) {
        return std::nullopt;
    }
    const std::string copy(text);
    std::optional<LRESULT> answer;
    DWORD_PTR result = 0;
    if (WriteProcessMemory(process.get(), remote, copy.c_str(), copy.size() + 1, nullptr) &&
        SendMessageTimeoutA(window, message, wParam, reinterpret_cast<LPARAM>(remote),
                            SMTO_ABORTIFHUNG, 5000, &result)) {
        answer = static_cast<LRESULT>(result);
    }
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return answer;
}

bool BringToFront(HWND window) {
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() == window) {
                return true;
            }
            SetForegroundWindow(window);
            return false;
        },
        milliseconds(5000));
}

void PressKey(WORD key, bool withShift) {
    if (withShift) {
        SendKey(VK_SHIFT, false);
    }
    SendKey(key, false);
    SendKey(key, true);
    if (withShift) {
        SendKey(VK_SHIFT, true);
    }
}

void TypeText(std::wstring_view text) {
    for (wchar_t character : text) {
        INPUT inputs[2]{};
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(character);
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof inputs[0]);
    }
}

void Click(HWND window) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    const int x = (bounds.left + bounds.right) / 2;
    const int y = (bounds.top + bounds.bottom) / 2;
    INPUT inputs[3]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        // Absolute coordinates run from 0 to 65535 over the primary screen.
        input.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
        input.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof inputs[0]);
}

COLORREF ScreenColour(HWND window, POINT clientPoint) {
    ClientToScreen(window, &clientPoint);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, clientPoint.x, clientPoint.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

} // namespace kelvane::gui
