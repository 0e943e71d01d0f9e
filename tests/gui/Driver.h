// A test driver for Kelvane's real exe: starts it, finds its windows, reads their controls and
// works them with real input, as a person at the desktop would. Everything runs in the driver's
// own process; Kelvane is only reached through the window system. Every wait is bounded.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Handles.h"
#include "base/Types.h"

namespace kelvane::gui {

using std::chrono::milliseconds;

// Kelvane's exe of this build, as a Windows path.
std::string KelvaneExe();

// Polls condition until it holds or timeout has passed; the last answer.
bool WaitUntil(const std::function<bool()>& condition, milliseconds timeout);

// One Kelvane process. Ending the object terminates the process if it still runs.
class KelvaneProcess {
  public:
    // Starts exe with the given current directory (the driver's own when empty).
    static std::optional<KelvaneProcess> Start(const std::string& exe,
                                               const std::string& workingDirectory = "");
    KelvaneProcess(KelvaneProcess&&) noexcept = default;
    KelvaneProcess& operator=(KelvaneProcess&&) noexcept = default;
    ~KelvaneProcess();

    DWORD Id() const { return id_; }
    // The visible top-level window of this process with the given class, or null.
    HWND WaitForWindow(const char* className, milliseconds timeout) const;
    // The exit code, or nothing while the process still runs after timeout.
    std::optional<DWORD> WaitForExit(milliseconds timeout) const;
    // The current directory of the process, read from its process parameters.
    std::optional<std::wstring> CurrentDirectory() const;

  private:
    KelvaneProcess(HANDLE process, DWORD id) : process_(process), id_(id) {}

    UniqueAny<detail::NullIsInvalid<HANDLE, CloseHandle>> process_;
    DWORD id_ = 0;
};

struct Control {
    HWND handle = nullptr;
    std::string className;
    Text text;
    RECT bounds{}; // in the parent's client coordinates
    LONG_PTR style = 0;
    LONG_PTR exStyle = 0;
};

// The child windows of parent, first child first.
std::vector<Control> Controls(HWND parent);
// A window's text through WM_GETTEXT, so that an edit control gives its content.
Text WindowText(HWND window);
std::string ClassName(HWND window);
// The window that has the keyboard focus in window's thread.
HWND FocusOf(HWND window);
// A visible window of the same process owned by owner, of the given class; null if none came.
HWND WaitForOwnedWindow(HWND owner, const char* className, milliseconds timeout);

// Sends window a message whose lParam is a text, copied into window's process first.
std::optional<LRESULT> SendWithText(HWND window, UINT message, WPARAM wParam,
                                    std::string_view text);

// Makes window the foreground window; false if it did not become one.
bool BringToFront(HWND window);
// Presses and releases a virtual key, with Shift held when asked.
void PressKey(WORD key, bool withShift = false);
// Types text as Unicode characters into whatever has the focus.
void TypeText(std::wstring_view text);
// Moves the mouse to the centre of window and clicks its left button.
void Click(HWND window);
// The colour of the screen at a point of window's client area.
COLORREF ScreenColour(HWND window, POINT clientPoint);

} // namespace kelvane::gui
