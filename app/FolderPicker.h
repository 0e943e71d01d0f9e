// The shell's folder picker: BrowseForFolder shows it and gives back the chosen directory, and
// the Browse command puts that into the main window's path box.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <optional>
#include <string_view>

#include "base/Types.h"

namespace kelvane {

class CommandWindow;

// The full file-system path of the folder chosen in the picker, without spaces at its ends; the
// empty text when the user cancels or the choice has no file-system path. Left out: the title
// "请选择一个文件夹", includeFiles and showEditBox false, newDialogStyle true, no initial path,
// no owner.
Text BrowseForFolder(std::optional<std::string_view> title = std::nullopt,
                     std::optional<bool> includeFiles = std::nullopt,
                     std::optional<std::string_view> initialPath = std::nullopt,
                     std::optional<bool> showEditBox = std::nullopt,
                     std::optional<bool> newDialogStyle = std::nullopt, HWND owner = nullptr);

// The picker request as BrowseForFolder builds it; title must outlive the request.
BROWSEINFOA MakeBrowseRequest(const Text& title, std::optional<bool> includeFiles,
                              std::optional<bool> showEditBox, std::optional<bool> newDialogStyle,
                              HWND owner);
// The title of the picker: the given one, or the default.
Text BrowseTitle(std::optional<std::string_view> title);

// The picker's callback: once the picker has opened, it selects the stored initial path.
int CALLBACK FolderPickerCallback(HWND picker, UINT message, LPARAM value, LPARAM data);
// The stored initial path, program-wide: replaced by every BrowseForFolder call, read by the
// callback, released at shutdown.
void ReplaceStoredInitialPath(std::string_view path);
void ReleaseStoredInitialPath();

// The click of 按钮_浏览: the picker, owned by the main window, fills the path box, also with
// the empty text when the user cancels.
void Browse(CommandWindow& window);

} // namespace kelvane
