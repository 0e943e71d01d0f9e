#include "app/FolderPicker.h"

#include "SystemTexts.h"
#include "app/CommandWindow.h"
#include "base/Text.h"

namespace kelvane {

namespace {

// The directory that the picker selects when it opens. Empty when no call has set one yet.
std::optional<Text> storedInitialPath;

// Room for whatever path the shell writes (it writes at most MAX_PATH bytes with the zero).
constexpr std::int32_t kPathBufferLength = 512;

} // namespace

Text BrowseTitle(std::optional<std::string_view> title) {
    return title ? Text(*title) : Text(texts::kDefaultBrowseTitle);
}

BROWSEINFOA MakeBrowseRequest(const Text& title, std::optional<bool> includeFiles,
                              std::optional<bool> showEditBox, std::optional<bool> newDialogStyle,
                              HWND owner) {
    BROWSEINFOA request{};
    request.hwndOwner = owner;
    request.lpszTitle = title.c_str();
    if (showEditBox.value_or(false)) {
        request.ulFlags |= BIF_EDITBOX;
    }
    if (newDialogStyle.value_or(true)) {
        request.ulFlags |= BIF_NEWDIALOGSTYLE;
    }
    if (includeFiles.value_or(false)) {
        request.ulFlags |= BIF_BROWSEINCLUDEFILES;
    }
    request.lpfn = &FolderPickerCallback;
    return request;
}

int CALLBACK FolderPickerCallback(HWND picker, UINT message, LPARAM, LPARAM) {
    if (message == BFFM_INITIALIZED) {
        const char* path = storedInitialPath ? storedInitialPath->c_str() : "";
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path));
    }
    return 1;
}

void ReplaceStoredInitialPath(std::string_view path) {
    storedInitialPath = Text(path);
}

void ReleaseStoredInitialPath() {
    storedInitialPath.reset();
}

Text BrowseForFolder(std::optional<std::string_view> title, std::optional<bool> includeFiles,
                     std::optional<std::string_view> initialPath, std::optional<bool> showEditBox,
                     std::optional<bool> newDialogStyle, HWND owner) {
    const Text titleCopy = BrowseTitle(title);
    BROWSEINFOA request =
        MakeBrowseRequest(titleCopy, includeFiles, showEditBox, newDialogStyle, owner);
    Text buffer = BlankText(kPathBufferLength);
    ReplaceStoredInitialPath(initialPath.value_or(std::string_view()));
    if (LPITEMIDLIST chosen = SHBrowseForFolderA(&request); chosen != nullptr) {
        SHGetPathFromIDListA(chosen, buffer.data());
        CoTaskMemFree(chosen);
    }
    // The path ends at the zero the shell wrote; without a choice the spaces stay, and go.
    return TrimSpaces(buffer.c_str());
}

void Browse(CommandWindow& window) {
    window.SetPathText(BrowseForFolder(texts::kBrowseTitle, std::nullopt, std::nullopt, true, true,
                                       window.Handle()));
}

} // namespace kelvane
