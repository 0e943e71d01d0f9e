// Kelvane's real exe under Wine, worked from outside: the main window's place and controls,
// its keyboard, its ending and the folder it runs in.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/gui/MainWindowFixture.h"

namespace kelvane::gui {
namespace {

TEST_F(MainWindowGui, OpensCentredWithItsCaptionAndFrame) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    const LONG left = (GetSystemMetrics(SM_CXSCREEN) - 360) / 2;
    const LONG top = (GetSystemMetrics(SM_CYSCREEN) - 150) / 2;
    EXPECT_EQ(bounds.left, left);
    EXPECT_EQ(bounds.top, top);
    EXPECT_EQ(bounds.right - bounds.left, 360);
    EXPECT_EQ(bounds.bottom - bounds.top, 150);
    EXPECT_EQ(WindowText(window), kCaption);

    const auto style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR wanted = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_POPUP | WS_CHILD), 0);
    // The system adds WS_EX_WINDOWEDGE to every captioned window by itself.
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
}

TEST_F(MainWindowGui, ControlsStandAtTheirPlacesWithTheirTexts) {
    struct Expected {
        const char* className;
        const char* text;
        RECT bounds;
        LONG_PTR style;    // all of these bits
        LONG_PTR typeMask; // and, under this mask,
        LONG_PTR type;     // this control type
        LONG_PTR noStyle;  // none of these
        LONG_PTR exStyle;
    };
    const LONG_PTR common = WS_CHILD | WS_VISIBLE;
    const Expected expected[] = {
        {"Static",
         kInstructions,
         {17, 9, 337, 49},
         common,
         SS_TYPEMASK,
         SS_CENTER,
         WS_TABSTOP | WS_DISABLED,
         WS_EX_STATICEDGE},
        {"Button",
         kConfigure,
         {137, 88, 217, 120},
         common | WS_TABSTOP,
         BS_TYPEMASK,
         BS_PUSHBUTTON,
         WS_DISABLED,
         0},
        {"Button",
         kBrowse,
         {288, 60, 336, 84},
         common | WS_TABSTOP,
         BS_TYPEMASK,
         BS_PUSHBUTTON,
         WS_DISABLED,
         0},
        {"Edit",
         "",
         {68, 60, 278, 84},
         common | WS_TABSTOP | ES_AUTOHSCROLL,
         0,
         0,
         WS_DISABLED | ES_MULTILINE | ES_CENTER | ES_RIGHT | ES_READONLY | ES_PASSWORD |
             ES_UPPERCASE | ES_LOWERCASE | ES_NOHIDESEL | ES_NUMBER,
         WS_EX_STATICEDGE},
        {"Static",
         kPathLabel,
         {17, 60, 65, 84},
         common | SS_CENTERIMAGE,
         SS_TYPEMASK,
         SS_LEFTNOWORDWRAP,
         WS_TABSTOP | WS_DISABLED,
         WS_EX_STATICEDGE},
    };
    const std::vector<Control> controls = Controls(window);
    EXPECT_EQ(controls.size(), std::size(expected));
    EXPECT_EQ(std::strlen(kInstructions), 64u);
    for (const Expected& want : expected) {
        SCOPED_TRACE(want.className + std::string(" \"") + want.text + "\"");
        const Control* found = nullptr;
        for (const Control& control : controls) {
            if (SameClass(control.className, want.className) && control.text == want.text) {
                found = &control;
            }
        }
        ASSERT_NE(found, nullptr) << Describe(controls);
        EXPECT_EQ(found->bounds.left, want.bounds.left);
        EXPECT_EQ(found->bounds.top, want.bounds.top);
        EXPECT_EQ(found->bounds.right, want.bounds.right);
        EXPECT_EQ(found->bounds.bottom, want.bounds.bottom);
        EXPECT_EQ(found->style & want.style, want.style);
        EXPECT_EQ(found->style & want.typeMask, want.type);
        EXPECT_EQ(found->style & want.noStyle, 0);
        EXPECT_EQ(found->exStyle, want.exStyle);
    }

    // The path box holds the system's maximum and starts with the caret at its start.
    EXPECT_EQ(SendMessageA(path, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    DWORD start = 1;
    DWORD end = 1;
    SendMessageA(path, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

TEST_F(MainWindowGui, PaintsButtonFaceBehindTheControlsAndAWhitePathBox) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(WaitUntil(
        [&] {
            return ScreenColour(window, {5, 5}) == face;
        },
        kTimeout))
        << std::hex << ScreenColour(window, {5, 5});
    EXPECT_TRUE(WaitUntil([&] { return ScreenColour(window, {40, 100}) == face; }, kTimeout));
    // Well inside the empty path box, clear of its edge and of the caret.
    EXPECT_TRUE(WaitUntil(
        [&] {
            return ScreenColour(window, {250, 72}) == RGB(255, 255, 255);
        },
        kTimeout))
        << std::hex << ScreenColour(window, {250, 72});
}

TEST_F(MainWindowGui, TypingGoesIntoThePathBoxAsGbk) {
    EmptyPathBox();
    TypeText(L"D:\\\u4E2D\u6587 jdk");
    const Text expected = "D:\\\xD6\xD0\xCE\xC4 jdk";
    EXPECT_TRUE(WaitUntil([&] { return WindowText(path) == expected; }, kTimeout))
        << WindowText(path);
}

TEST_F(MainWindowGui, TabRunsThroughPathBoxBrowseAndConfigureBothWays) {
    struct Step {
        bool withShift;
        HWND MainWindowGui::*next;
    };
    const std::vector<Step> forwardThenBack = {
        {false, &MainWindowGui::browse}, {false, &MainWindowGui::configure},
        {false, &MainWindowGui::path},   {true, &MainWindowGui::configure},
        {true, &MainWindowGui::browse},  {true, &MainWindowGui::path},
    };
    for (size_t index = 0; index < forwardThenBack.size(); ++index) {
        const Step& step = forwardThenBack[index];
        EXPECT_TRUE(KeyMovesFocusTo(VK_TAB, step.withShift, this->*step.next))
            << "step " << index << ": focus on " << ClassName(FocusOf(window)) << " \""
            << WindowText(FocusOf(window)) << "\"";
    }
}

TEST_F(MainWindowGui, TabSkipsHiddenAndDisabledControls) {
    enum Change { kDisable, kHide };
    struct Case {
        const char* what;
        HWND MainWindowGui::*changed;
        Change change;
        HWND MainWindowGui::*alsoDisabled; // or null
        bool withShift;
        HWND MainWindowGui::*next;
    };
    const Case cases[] = {
        {"Browse disabled, Tab", &MainWindowGui::browse, kDisable, nullptr, false,
         &MainWindowGui::configure},
        {"Browse hidden, Tab", &MainWindowGui::browse, kHide, nullptr, false,
         &MainWindowGui::configure},
        {"Configure disabled, Shift+Tab", &MainWindowGui::configure, kDisable, nullptr, true,
         &MainWindowGui::browse},
        {"Configure hidden, Shift+Tab", &MainWindowGui::configure, kHide, nullptr, true,
         &MainWindowGui::browse},
        {"both buttons disabled, Tab", &MainWindowGui::browse, kDisable, &MainWindowGui::configure,
         false, &MainWindowGui::path},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(FocusOf(window), path);
        HWND changed = this->*c.changed;
        if (c.change == kDisable) {
            EnableWindow(changed, FALSE);
        } else {
            ShowWindow(changed, SW_HIDE);
        }
        if (c.alsoDisabled != nullptr) {
            EnableWindow(this->*c.alsoDisabled, FALSE);
        }
        if (c.next == &MainWindowGui::path) {
            // The focus must stay: what is typed after the key shows that it did.
            EmptyPathBox();
            PressKey(VK_TAB, c.withShift);
            TypeText(L"x");
            EXPECT_TRUE(WaitUntil([&] { return WindowText(path) == "x"; }, kTimeout));
            EXPECT_EQ(FocusOf(window), path);
        } else {
            EXPECT_TRUE(KeyMovesFocusTo(VK_TAB, c.withShift, this->*c.next));
        }
        EnableWindow(browse, TRUE);
        EnableWindow(configure, TRUE);
        ShowWindow(changed, SW_SHOWNA);
        for (int press = 0; press < 3 && FocusOf(window) != path; ++press) {
            HWND before = FocusOf(window);
            PressKey(VK_TAB);
            WaitUntil([&] { return FocusOf(window) != before; }, kTimeout);
        }
    }
}

TEST_F(MainWindowGui, GivesTheFocusBackToItsControlWhenActivatedAgain) {
    ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, false, browse));
    {
        SCOPED_TRACE("after another window was active");
        const UniqueWindow other(CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0,
                                                 50, 50, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(BringToFront(other.get()));
        ASSERT_TRUE(BringToFront(window));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == browse; }, kTimeout));
    }
    ASSERT_TRUE(KeyMovesFocusTo(VK_TAB, false, configure));
    {
        SCOPED_TRACE("after being minimised");
        PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }, kTimeout));
        PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) == FALSE; }, kTimeout));
        ASSERT_TRUE(BringToFront(window));
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(window) == configure; }, kTimeout));
    }
}

TEST_F(MainWindowGui, EnterNeitherMovesTheFocusNorChangesThePathBox) {
    EmptyPathBox();
    TypeText(L"C:\\jdk");
    ASSERT_TRUE(WaitUntil([&] { return WindowText(path) == "C:\\jdk"; }, kTimeout));
    for (HWND MainWindowGui::*focus :
         {&MainWindowGui::path, &MainWindowGui::browse, &MainWindowGui::configure}) {
        SCOPED_TRACE(WindowText(this->*focus));
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == this->*focus; }, kTimeout));
        PressKey(VK_RETURN);
        // Keys arrive in order: once Tab has moved the focus on, Enter has been handled.
        HWND next = focus == &MainWindowGui::path     ? browse
                    : focus == &MainWindowGui::browse ? configure
                                                      : path;
        EXPECT_TRUE(KeyMovesFocusTo(VK_TAB, false, next));
        EXPECT_EQ(WindowText(path), "C:\\jdk");
        EXPECT_EQ(WaitForOwnedWindow(window, "#32770", 0ms), nullptr);
        EXPECT_FALSE(process->WaitForExit(0ms).has_value());
    }
}

TEST_F(MainWindowGui, EscEndsTheProgramWithExitCodeZeroWhereverTheFocusIs) {
    const int tabs[] = {0, 1, 2};
    for (int count : tabs) {
        SCOPED_TRACE(count);
        if (count > 0) {
            Start();
        }
        for (int press = 0; press < count; ++press) {
            PressKey(VK_TAB);
        }
        HWND focus = count == 0 ? path : count == 1 ? browse : configure;
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(window) == focus; }, kTimeout));
        PressKey(VK_ESCAPE);
        EXPECT_EQ(process->WaitForExit(kTimeout), std::optional<DWORD>(0));
    }
}

TEST_F(MainWindowGui, TheCloseBoxEndsTheProgramWithExitCodeZero) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(process->WaitForExit(kTimeout), std::optional<DWORD>(0));
}

TEST_F(MainWindowGuiStartedElsewhere, RunsInTheFolderOfItsExe) {
    char temporary[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temporary), 0u);
    Start(temporary);
    const std::string exe = KelvaneExe();
    const std::string folder = exe.substr(0, exe.rfind('\\'));
    ASSERT_NE(_stricmp(folder.c_str(), std::string(temporary).c_str()), 0);

    std::optional<std::wstring> directory = process->CurrentDirectory();
    ASSERT_TRUE(directory.has_value());
    while (!directory->empty() && directory->back() == L'\\') {
        directory->pop_back();
    }
    wchar_t wideFolder[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wideFolder, MAX_PATH);
    EXPECT_EQ(_wcsicmp(directory->c_str(), wideFolder), 0)
        << "current directory has " << directory->size() << " characters";
}

} // namespace
} // namespace kelvane::gui
