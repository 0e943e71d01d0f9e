#include "desktop/ShowMessage.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "base/Handles.h"
#include "desktop/tests/TestWindow.h"

namespace kelvane {
namespace {

using testing::MakeTopLevelWindow;

// What a message box looked like while it was open.
struct SeenBox {
    bool found = false;
    std::string caption;
    std::vector<std::string> texts; // of its static controls
    std::vector<int> buttons;       // the identifiers of its visible buttons
    bool hasIcon = false;
    HWND owner = nullptr;
};

std::string TextOf(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string ClassOf(HWND window) {
    char buffer[64] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

// Answers the message box that the calling thread is about to show, as a person would: waits
// for it (10 s at most), notes what it shows, and presses the button given.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(int button)
        : thread_([this, button, boxThread = GetCurrentThreadId()] { Run(boxThread, button); }) {}
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // Waits for the answer; call it after the box has returned.
    const SeenBox& Seen() {
        if (thread_.joinable()) {
            thread_.join();
        }
        return seen_;
    }
    ~BoxAnswerer() { Seen(); }

  private:
    static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
        if (ClassOf(window) == "#32770" && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static BOOL CALLBACK NoteControl(HWND control, LPARAM self) {
        SeenBox& seen = reinterpret_cast<BoxAnswerer*>(self)->seen_;
        const std::string className = ClassOf(control);
        if (className == "Button" && IsWindowVisible(control)) {
            seen.buttons.push_back(GetDlgCtrlID(control));
        } else if (className == "Static") {
            if ((GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                seen.hasIcon = seen.hasIcon || SendMessageA(control, STM_GETICON, 0, 0) != 0;
            } else {
                seen.texts.push_back(TextOf(control));
            }
        }
        return TRUE;
    }

    void Run(DWORD boxThread, int button) {
        HWND box = nullptr;
        for (int attempt = 0; attempt < 200 && box == nullptr; ++attempt) {
            EnumThreadWindows(boxThread, &FindBox, reinterpret_cast<LPARAM>(&box));
            if (box == nullptr) {
                Sleep(50);
            }
        }
        if (box == nullptr) {
            return;
        }
        seen_.found = true;
        seen_.caption = TextOf(box);
        seen_.owner = GetWindow(box, GW_OWNER);
        EnumChildWindows(box, &NoteControl, reinterpret_cast<LPARAM>(this));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    }

    SeenBox seen_;
    std::thread thread_; // last: it starts when everything else is ready
};

const std::string kDefaultTitle = "\xD3\xD1\xC7\xE9\xCC\xE1\xD0\xD1"; // 友情提醒
const std::string kMessage = "\xC5\xE4\xD6\xC3\xCD\xEA\xB3\xC9!";     // 配置完成!

TEST(ShowMessage, ShowsTheDefaultTitleOneOkButtonAndNoIcon) {
    const HWND noOwner = nullptr;
    BoxAnswerer answerer(IDOK);

    EXPECT_EQ(ShowMessage(kMessage, std::nullopt, std::nullopt, noOwner), 0);

    const SeenBox& seen = answerer.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, kDefaultTitle);
    EXPECT_NE(std::find(seen.texts.begin(), seen.texts.end(), kMessage), seen.texts.end());
    EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(seen.hasIcon);
    EXPECT_EQ(seen.owner, nullptr);
}

TEST(ShowMessage, IsOwnedByTheProcesssVisibleWindowWhenNoOwnerIsGiven) {
    UniqueWindow hidden(MakeTopLevelWindow("KelvaneHiddenClass", "Kelvane hidden", false));
    UniqueWindow visible(MakeTopLevelWindow("KelvaneProbeClass", "Kelvane probe", true));
    ASSERT_TRUE(hidden);
    ASSERT_TRUE(visible);
    BoxAnswerer answerer(IDOK);

    EXPECT_EQ(ShowMessage(kMessage), 0);

    const SeenBox& seen = answerer.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.owner, visible.get());
    EXPECT_EQ(seen.caption, kDefaultTitle);
}

TEST(ShowMessage, KeepsTheOwnerItIsGiven) {
    UniqueWindow hidden(MakeTopLevelWindow("KelvaneHiddenClass", "Kelvane hidden", false));
    UniqueWindow visible(MakeTopLevelWindow("KelvaneProbeClass", "Kelvane probe", true));
    ASSERT_TRUE(hidden);
    ASSERT_TRUE(visible);
    BoxAnswerer answerer(IDOK);

    // The lookup would have found the visible window, never the hidden one.
    EXPECT_EQ(ShowMessage(kMessage, std::nullopt, std::nullopt, hidden.get()), 0);

    const SeenBox& seen = answerer.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.owner, hidden.get());
}

TEST(ShowMessage, GivesTheButtonThatClosedTheBoxCountedFromZero) {
    const struct {
        std::uint32_t style;
        int button;
        std::int32_t result;
    } cases[] = {
        {MB_OK, IDOK, 0},
        {MB_OKCANCEL, IDCANCEL, 1},
        {MB_ABORTRETRYIGNORE, IDABORT, 2},
        {MB_ABORTRETRYIGNORE, IDRETRY, 3},
        {MB_ABORTRETRYIGNORE, IDIGNORE, 4},
        {MB_YESNO | MB_ICONQUESTION, IDYES, 5},
        {MB_YESNOCANCEL, IDNO, 6},
        {MB_CANCELTRYCONTINUE | MB_ICONERROR, IDTRYAGAIN, 9},
        {MB_CANCELTRYCONTINUE, IDCONTINUE, 10},
    };
    const HWND noOwner = nullptr;
    for (const auto& c : cases) {
        BoxAnswerer answerer(c.button);

        EXPECT_EQ(ShowMessage("Kelvane", c.style, "Kelvane test", noOwner), c.result)
            << "style " << c.style << ", button " << c.button;

        const SeenBox& seen = answerer.Seen();
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.caption, "Kelvane test");
        EXPECT_EQ(seen.hasIcon, (c.style & MB_ICONMASK) != 0) << "style " << c.style;
    }
}

TEST(ShowMessage, GivesMinusOneWhenTheBoxCannotBeShown) {
    UniqueWindow gone(MakeTopLevelWindow("KelvaneProbeClass", "Kelvane probe", false));
    const HWND destroyed = gone.get();
    gone.reset();

    EXPECT_EQ(ShowMessage(kMessage, std::nullopt, std::nullopt, destroyed), -1);
}

} // namespace
} // namespace kelvane
