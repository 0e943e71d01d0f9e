// Top-level windows of the test process, shown without taking the activation, or hidden.
#pragma once

#include <windows.h>

#include "base/Handles.h"

namespace kelvane::testing {

inline HWND MakeTopLevelWindow(const char* className, const char* text, bool visible) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass); // a second registration of the class fails harmlessly
    HWND window = CreateWindowExA(0, className, text, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window != nullptr && visible) {
        ShowWindow(window, SW_SHOWNA);
    }
    return window;
}

} // namespace kelvane::testing
