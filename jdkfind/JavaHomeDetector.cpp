#include "jdkfind/JavaHomeDetector.h"

#include <windows.h>

#include <shlobj.h>

#include "SystemTexts.h"
#include "app/CommandWindow.h"
#include "base/Text.h"
#include "jdkfind/FileFinder.h"
#include "jdkfind/ShortcutReader.h"
#include "jdkfind/TextBefore.h"

namespace kelvane {

void DetectJavaHome(CommandWindow& window) {
    char folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_COMMON_PROGRAMS, FALSE)) {
        window.SetPathText({});
        return;
    }
    TextArray names;
    FindFiles(Text(folder) + texts::kJdkFolder, texts::kShortcutPattern, names, false);
    Text chosen;
    for (const Text& name : names) {
        if (FindText(name, texts::kMissionControl) > 0) {
            chosen = name;
            break;
        }
    }
    // With no match the link path is the folder with a trailing backslash; the reader then
    // appends ".lnk", finds no such file and leaves the target empty.
    Text linkPath = Text(folder) + texts::kJdkFolderPrefix + chosen;
    ShortcutInfo info{};
    ReadShortcut(linkPath, info);
    window.SetPathText(TextBefore(info.TargetPath, texts::kBinMarker));
}

} // namespace kelvane
