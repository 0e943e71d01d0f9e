// The Browse command on the real exe: the picker it opens and what comes back into the path box.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <thread>

#include "tests/gui/MainWindowFixture.h"

namespace kelvane::gui {
namespace {

inline constexpr char kBrowseTitle[] = "\xD1\xA1\xD4\xF1JAVA\xC4\xBF\xC2\xBC";

// The test's own folder for the picker to choose; removed at the end.
class TemporaryFolder {
  public:
    explicit TemporaryFolder(const std::wstring& name) {
        wchar_t temporary[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temporary);
        path_ = std::wstring(temporary) + name;
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() { RemoveDirectoryW(path_.c_str()); }

    // The path in the ANSI code page, as Kelvane handles it.
    Text Ansi() const {
        char bytes[MAX_PATH * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, path_.c_str(), -1, bytes, sizeof bytes, nullptr, nullptr);
        return bytes;
    }
    bool Exists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

  private:
    std::wstring path_;
};

class BrowseGui : public MainWindowGui {
  protected:
    // Clicks Browse and waits for the picker that the main window owns.
    HWND OpenPicker() {
        Click(browse);
        return WaitForOwnedWindow(window, "#32770", kTimeout);
    }
    // Selects folder in the picker's tree. Wine's picker takes the selection from the tree (not
    // from its edit field), and sometimes only at a later request while the tree is still being
    // filled; the edit field shows the selected folder's name once the selection has taken.
    static void Select(HWND picker, const Text& folder) {
        const Text name = folder.substr(folder.rfind('\\') + 1);
        HWND edit = nullptr;
        for (const Control& control : Controls(picker)) {
            if (SameClass(control.className, "Edit") && (control.style & WS_VISIBLE) != 0) {
                edit = control.handle;
            }
        }
        for (int attempt = 0; attempt < 10; ++attempt) {
            SendWithText(picker, BFFM_SETSELECTIONA, TRUE, folder);
            if (edit == nullptr) {
                std::this_thread::sleep_for(300ms);
            } else if (WaitUntil([&] { return WindowText(edit) == name; }, 1s)) {
                return;
            }
        }
    }
    // Presses a button of the picker and waits until the picker has gone.
    static bool Press(HWND picker, int button) {
        Click(GetDlgItem(picker, button));
        return WaitUntil([&] { return !IsWindow(picker); }, kTimeout);
    }
};

TEST_F(BrowseGui, OpensTheModalPickerWithItsTitleAndAnEditField) {
    HWND picker = OpenPicker();
    ASSERT_NE(picker, nullptr);
    EXPECT_FALSE(IsWindowEnabled(window)) << "the main window takes input beside the picker";
    bool titled = false;
    bool editField = false;
    for (const Control& control : Controls(picker)) {
        titled = titled || (SameClass(control.className, "Static") && control.text == kBrowseTitle);
        editField = editField ||
                    (SameClass(control.className, "Edit") && (control.style & WS_VISIBLE) != 0);
    }
    EXPECT_TRUE(titled) << Describe(Controls(picker));
    EXPECT_TRUE(editField) << Describe(Controls(picker));
    // The new-style picker can be resized.
    EXPECT_NE(GetWindowLongPtrA(picker, GWL_STYLE) & WS_THICKFRAME, 0);
    ASSERT_TRUE(Press(picker, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(window) != FALSE; }, kTimeout));
}

TEST_F(BrowseGui, TheChosenFolderFillsThePathBoxInGbk) {
    const TemporaryFolder folders[] = {
        TemporaryFolder(L"KelvaneJdk"),
        TemporaryFolder(L"Kelvane\u4E2D\u6587\u76EE\u5F55"),
    };
    for (const TemporaryFolder& folder : folders) {
        SCOPED_TRACE(folder.Ansi());
        ASSERT_TRUE(folder.Exists());
        HWND picker = OpenPicker();
        ASSERT_NE(picker, nullptr);
        Select(picker, folder.Ansi());
        ASSERT_TRUE(Press(picker, IDOK));
        EXPECT_TRUE(WaitUntil([&] { return WindowText(path) == folder.Ansi(); }, kTimeout))
            << "the path box holds \"" << WindowText(path) << "\"";
        ASSERT_TRUE(BringToFront(window));
    }
}

TEST_F(BrowseGui, CancelEmptiesThePathBox) {
    EmptyPathBox();
    TypeText(L"C:\\jdk");
    ASSERT_TRUE(WaitUntil([&] { return WindowText(path) == "C:\\jdk"; }, kTimeout));
    HWND picker = OpenPicker();
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(Press(picker, IDCANCEL));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(path).empty(); }, kTimeout))
        << "the path box holds \"" << WindowText(path) << "\"";
}

} // namespace
} // namespace kelvane::gui
