#include "base/System.h"

#include <windows.h>

namespace kelvane {

std::uint32_t TickCount() {
    return GetTickCount();
}

void ProcessEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) {
            return;
        }
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            return;
        }
        if (msg.message == WM_QUIT) {
            // Posted between the two looks: hand it back to the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace kelvane
