// The main window inside the test's own process: what can only be checked there (the class's
// brush, cursor and icons, the controls' font and colours) and the binding of its events. The
// end-to-end tests under tests/gui check the rest on the real exe from outside.
#include "app/MainWindow.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "SystemTexts.h"
#include "environment/SystemEnvironment.h"

namespace kelvane {
namespace {

struct Recorded {
    std::vector<const char*> events;
    bool visibleAtCreation = true;
    bool controlsAtCreation = false;
};
Recorded* recorded = nullptr;

void OnCreated(CommandWindow& window) {
    recorded->events.push_back("created");
    recorded->visibleAtCreation = IsWindowVisible(window.Handle()) != FALSE;
    recorded->controlsAtCreation =
        FindWindowExA(window.Handle(), nullptr, "EDIT", nullptr) != nullptr;
    window.SetPathText("C:\\jdk");
}
void OnBrowse(CommandWindow&) {
    recorded->events.push_back("browse");
}
void OnConfigure(CommandWindow&) {
    recorded->events.push_back("configure");
}

HWND ChildWithText(HWND parent, const char* className, const char* text) {
    return FindWindowExA(parent, nullptr, className, text);
}

COLORREF BrushColour(LRESULT brush) {
    LOGBRUSH description{};
    GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof description, &description);
    return description.lbColor;
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        recorded = &record;
        MainWindowEvents events;
        events.created = &OnCreated;
        events.browseClicked = &OnBrowse;
        events.configureClicked = &OnConfigure;
        window.emplace(environment, events);
        ASSERT_TRUE(window->Create(GetModuleHandleA(nullptr)));
    }
    void TearDown() override {
        window.reset();
        // The window's end posts the quit message to this thread.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        recorded = nullptr;
    }
    HWND Handle() const { return window->Handle(); }

    Recorded record;
    SystemEnvironment environment;
    std::optional<MainWindow> window;
};

TEST_F(MainWindowTest, CreatedEventRunsOnceWithTheControlsBeforeTheWindowIsShown) {
    EXPECT_EQ(record.events, std::vector<const char*>{"created"});
    EXPECT_FALSE(record.visibleAtCreation);
    EXPECT_TRUE(record.controlsAtCreation);
    EXPECT_EQ(window->PathText(), "C:\\jdk");
}

TEST_F(MainWindowTest, ButtonClicksRunTheirCommands) {
    SendMessageA(ChildWithText(Handle(), "BUTTON", texts::kBrowseButton), BM_CLICK, 0, 0);
    SendMessageA(ChildWithText(Handle(), "BUTTON", texts::kConfigureButton), BM_CLICK, 0, 0);
    EXPECT_EQ(record.events, (std::vector<const char*>{"created", "browse", "configure"}));
}

TEST_F(MainWindowTest, CommandInterfaceReachesThePathBoxAndTheConfigureButton) {
    HWND configure = ChildWithText(Handle(), "BUTTON", texts::kConfigureButton);
    window->EnableConfigure(false);
    EXPECT_FALSE(IsWindowEnabled(configure));
    window->EnableConfigure(true);
    EXPECT_TRUE(IsWindowEnabled(configure));

    // Longer than the edit control's default limit of 30,000 characters.
    const Text longPath = "D:\\" + Text(40000, 'a');
    for (const Text& text : {longPath, Text("\xD6\xD0\xCE\xC4\\jdk"), Text()}) {
        window->SetPathText(text);
        EXPECT_EQ(window->PathText(), text);
    }
    EXPECT_EQ(&window->Environment(), &environment);
}

TEST_F(MainWindowTest, ClassPaintsItsOwnBackgroundAndCarriesTheIcons) {
    EXPECT_EQ(GetClassLongPtrA(Handle(), GCL_STYLE), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    EXPECT_EQ(GetClassLongPtrA(Handle(), GCLP_HBRBACKGROUND),
              reinterpret_cast<ULONG_PTR>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(GetClassLongPtrA(Handle(), GCLP_HCURSOR),
              reinterpret_cast<ULONG_PTR>(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512))));
    EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(GetClassLongPtrA(Handle(), GCLP_HICON))),
              GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconWidth(reinterpret_cast<HICON>(GetClassLongPtrA(Handle(), GCLP_HICONSM))),
              GetSystemMetrics(SM_CXSMICON));
}

TEST_F(MainWindowTest, EveryControlUsesTheDefaultGuiFont) {
    const auto font = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    int controls = 0;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        EXPECT_EQ(SendMessageA(child, WM_GETFONT, 0, 0), font);
        ++controls;
    }
    EXPECT_EQ(controls, 5);
}

TEST_F(MainWindowTest, LabelsSitOnButtonFaceAndThePathBoxIsWhite) {
    HDC dc = GetDC(Handle());
    HWND label = ChildWithText(Handle(), "STATIC", texts::kPathLabel);
    HWND path = FindWindowExA(Handle(), nullptr, "EDIT", nullptr);
    EXPECT_EQ(BrushColour(SendMessageA(Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(label))),
              GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(BrushColour(SendMessageA(Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(path))),
              RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(GetBkColor(dc), RGB(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    ReleaseDC(Handle(), dc);
}

} // namespace
} // namespace kelvane
