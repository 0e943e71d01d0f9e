// The commands bound to the main window's events. A hook is left empty until its command exists:
// the window then simply does nothing for that event.
#include "app/MainWindowEvents.h"

#include "app/FolderPicker.h"
#include "environment/ConfigureJava.h"
#include "jdkfind/JavaHomeDetector.h"

namespace kelvane {

MainWindowEvents ProductEvents() {
    MainWindowEvents events;
    events.created = &DetectJavaHome;
    events.browseClicked = &Browse;
    events.configureClicked = &ConfigureJava;
    return events;
}

} // namespace kelvane
