// The commands bound to the main window's events. A hook is left empty until its command exists:
// the window then simply does nothing for that event.
#include "app/MainWindowEvents.h"

namespace kelvane {

MainWindowEvents ProductEvents() {
    MainWindowEvents events;
    events.created = nullptr;          // DetectJavaHome
    events.browseClicked = nullptr;    // the Browse command
    events.configureClicked = nullptr; // ConfigureJava
    return events;
}

} // namespace kelvane
