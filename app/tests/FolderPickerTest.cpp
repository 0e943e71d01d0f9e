// The folder picker's request and callback, checked without a person at the picker. The picker
// itself is worked end to end in tests/gui.
#include "app/FolderPicker.h"

#include <gtest/gtest.h>

#include <vector>

#include "SystemTexts.h"

namespace kelvane {
namespace {

TEST(BrowseForFolderRequest, CarriesTheOptionBitsAndNothingElse) {
    struct Case {
        std::optional<bool> includeFiles, showEditBox, newDialogStyle;
        UINT flags;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, BIF_NEWDIALOGSTYLE},
        {std::nullopt, true, true, 0x0050}, // the Browse command's
        {false, false, false, 0},
        {true, std::nullopt, false, BIF_BROWSEINCLUDEFILES},
        {true, true, std::nullopt, 0x4050},
        {std::nullopt, true, false, BIF_EDITBOX},
    };
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    const Text title = "t";
    for (const Case& c : cases) {
        const BROWSEINFOA request =
            MakeBrowseRequest(title, c.includeFiles, c.showEditBox, c.newDialogStyle, owner);
        EXPECT_EQ(request.ulFlags, c.flags);
        EXPECT_EQ(request.hwndOwner, owner);
        EXPECT_EQ(request.pidlRoot, nullptr);
        EXPECT_EQ(request.pszDisplayName, nullptr);
        EXPECT_EQ(request.lpszTitle, title.c_str());
        EXPECT_EQ(request.lpfn, &FolderPickerCallback);
        EXPECT_EQ(request.lParam, 0);
        EXPECT_EQ(request.iImage, 0);
    }
}

TEST(BrowseForFolderRequest, TitleDefaultsOnlyWhenNotGiven) {
    EXPECT_EQ(BrowseTitle(std::nullopt), texts::kDefaultBrowseTitle);
    EXPECT_EQ(BrowseTitle(""), "");
    EXPECT_EQ(BrowseTitle(texts::kBrowseTitle), texts::kBrowseTitle);
}

// A window in place of the picker, which records the selections asked of it.
struct Selection {
    WPARAM isPath;
    Text path;
};
std::vector<Selection> selections;

LRESULT CALLBACK PickerStandIn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == BFFM_SETSELECTIONA) {
        selections.push_back({wParam, reinterpret_cast<const char*>(lParam)});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class FolderPickerCallbackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &PickerStandIn;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KelvanePickerStandIn";
        RegisterClassA(&windowClass);
        picker = CreateWindowExA(0, "KelvanePickerStandIn", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(picker, nullptr);
        selections.clear();
    }
    void TearDown() override {
        DestroyWindow(picker);
        ReleaseStoredInitialPath();
    }
    HWND picker = nullptr;
};

TEST_F(FolderPickerCallbackTest, SelectsTheStoredPathWhenThePickerOpens) {
    struct Case {
        const char* what;
        std::optional<Text> stored; // nothing: released
        Text selected;
    };
    const Case cases[] = {
        {"a path", Text("C:\\Program Files\\Java\\jdk1.8.0_131"),
         "C:\\Program Files\\Java\\jdk1.8.0_131"},
        {"a GBK path", Text("D:\\\xD6\xD0\xCE\xC4"), "D:\\\xD6\xD0\xCE\xC4"},
        {"the empty path", Text(), ""},
        {"nothing stored", std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        selections.clear();
        if (c.stored) {
            ReplaceStoredInitialPath(*c.stored);
        } else {
            ReleaseStoredInitialPath();
        }
        EXPECT_EQ(FolderPickerCallback(picker, BFFM_INITIALIZED, 0, 0), 1);
        ASSERT_EQ(selections.size(), 1u);
        EXPECT_EQ(selections[0].isPath, TRUE);
        EXPECT_EQ(selections[0].path, c.selected);
    }
}

TEST_F(FolderPickerCallbackTest, IgnoresEveryOtherMessage) {
    ReplaceStoredInitialPath("C:\\jdk");
    for (UINT message : {UINT(BFFM_SELCHANGED), UINT(BFFM_VALIDATEFAILEDA), UINT(0), UINT(3)}) {
        EXPECT_EQ(FolderPickerCallback(picker, message, 0, 0), 1);
    }
    EXPECT_TRUE(selections.empty());
}

} // namespace
} // namespace kelvane
