// The three events of the main window that run the commands of other subsystems. Each hook is a
// plain function of the window's command interface; an empty hook does nothing.
#pragma once

namespace kelvane {

class CommandWindow;

struct MainWindowEvents {
    // The window and its controls exist and the window is still hidden.
    void (*created)(CommandWindow&) = nullptr;
    void (*browseClicked)(CommandWindow&) = nullptr;
    void (*configureClicked)(CommandWindow&) = nullptr;
};

// The product's bindings (Events.cpp).
MainWindowEvents ProductEvents();

} // namespace kelvane
