// Kelvane's entry point: prepares the process, opens the main window, runs the message loop and
// tears everything down in the reverse order once the window has been closed.
#include <windows.h>

#include <ole2.h>

#include <memory>

#include "app/FolderPicker.h"
#include "app/MainWindow.h"
#include "base/Types.h"
#include "environment/SystemEnvironment.h"

namespace {

// OLE for the GUI thread, from before the first window until after the environment object is
// gone (the new-style folder picker needs it, and the environment object's destructor
// uninitialises the COM of its own calls first).
class OleSession {
  public:
    OleSession() noexcept { (void)OleInitialize(nullptr); }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() { OleUninitialize(); }
};

// Relative paths of the program are taken from the folder of its executable, whichever folder
// it was started from. A failure leaves the directory the launcher gave.
void EnterExecutableFolder() {
    kelvane::Text path(260, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), 260);
    path.resize(length);
    const auto lastBackslash = path.rfind('\\');
    if (lastBackslash == kelvane::Text::npos) {
        return;
    }
    path.resize(lastBackslash);
    (void)SetCurrentDirectoryA(path.c_str());
}

// Releases the folder picker's stored initial path at the end of the run, before the
// environment object goes.
class StoredInitialPathRelease {
  public:
    StoredInitialPathRelease() = default;
    StoredInitialPathRelease(const StoredInitialPathRelease&) = delete;
    StoredInitialPathRelease& operator=(const StoredInitialPathRelease&) = delete;
    ~StoredInitialPathRelease() { kelvane::ReleaseStoredInitialPath(); }
};

int RunMessageLoop(kelvane::MainWindow& mainWindow) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (mainWindow.HandleKeyboard(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const OleSession ole;
    EnterExecutableFolder();
    // The one environment object. Declared after the OLE session and before the picker's
    // release, it is destroyed after that release and before OLE is uninitialised, at whatever
    // point this function returns.
    const auto environment = std::make_unique<kelvane::SystemEnvironment>();
    const StoredInitialPathRelease storedInitialPathRelease;
    kelvane::MainWindow mainWindow(*environment, kelvane::ProductEvents());
    if (!mainWindow.Create(instance)) {
        return 1;
    }
    mainWindow.Show();
    return RunMessageLoop(mainWindow);
}
