#include "desktop/FindProcessWindow.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "base/Handles.h"
#include "desktop/tests/TestWindow.h"

namespace kelvane {
namespace {

using testing::MakeTopLevelWindow;

// How long a search that must fail is allowed to go on.
constexpr std::int32_t kShortMs = 300;
// Bounds a search that must succeed, should it wrongly go on.
constexpr std::int32_t kLongMs = 10000;

TEST(FindProcessWindow, AcceptsByTitleOrClassOrWhenNotBothPartsAreGiven) {
    const std::optional<std::string_view> none;
    const struct {
        const char* text;
        std::optional<std::string_view> titlePart;
        std::optional<std::string_view> classPart;
        bool accepted;
    } cases[] = {
        {"Kelvane probe", none, none, true},
        {"Kelvane probe", "probe", none, true},
        {"Kelvane probe", "absent", none, true}, // one part alone does not decide
        {"Kelvane probe", none, "absent", true},
        {"Kelvane probe", "probe", "absent", true},
        {"Kelvane probe", "absent", "ProbeClass", true}, // the class decides, not the text
        {"Kelvane probe", "absent", "absent", false},
        {"Kelvane probe", "PROBE", "absent", false},       // case counts
        {"Kelvane probe", "", "absent", true},             // "" is in every non-empty text
        {"", "", "absent", false},                         // ...and in no empty one
        {"", "absent", "", true},                          // the class name is never empty
        {"\xD6\xD0\xD6\xD0", "\xD6\xD0", "absent", true},  // 中中 holds 中
        {"\xD6\xD0\xD6\xD0", "\xD0\xD6", "absent", false}, // no match across two characters
    };
    // One window for all cases: Wine takes seconds to show and destroy a window under Xvfb.
    UniqueWindow window(MakeTopLevelWindow("KelvaneProbeClass", "", true));
    ASSERT_TRUE(window);
    for (const auto& c : cases) {
        ASSERT_TRUE(SetWindowTextA(window.get(), c.text));

        const HWND found = FindProcessWindow(GetCurrentProcessId(), c.titlePart, c.classPart,
                                             c.accepted ? kLongMs : kShortMs);

        EXPECT_EQ(found, c.accepted ? window.get() : nullptr)
            << "text \"" << c.text << "\", title part \"" << c.titlePart.value_or("(none)")
            << "\", class part \"" << c.classPart.value_or("(none)") << "\"";
    }
}

TEST(FindProcessWindow, NeverAcceptsAHiddenWindow) {
    UniqueWindow hidden(MakeTopLevelWindow("KelvaneHiddenClass", "Kelvane hidden", false));
    ASSERT_TRUE(hidden);

    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId(), std::nullopt, std::nullopt, kShortMs),
              nullptr);
    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId(), "hidden", "Hidden", kShortMs), nullptr);
}

TEST(FindProcessWindow, DoesNotTakeAnotherProcesssWindow) {
    UniqueWindow window(MakeTopLevelWindow("KelvaneProbeClass", "Kelvane probe", true));
    ASSERT_TRUE(window);

    // Process identifiers are multiples of 4, and 2 is none of them.
    EXPECT_EQ(FindProcessWindow(2, std::nullopt, std::nullopt, kShortMs), nullptr);
}

TEST(FindProcessWindow, LooksAtNoWindowWithATimeOutOfZeroOrLess) {
    UniqueWindow window(MakeTopLevelWindow("KelvaneProbeClass", "Kelvane probe", true));
    ASSERT_TRUE(window);

    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId(), std::nullopt, std::nullopt, 0), nullptr);
    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId(), std::nullopt, std::nullopt, -2), nullptr);
    // -1 is the default of 31,536,000 ms, not a time-out that has passed already.
    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId(), std::nullopt, std::nullopt, -1),
              window.get());
    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId()), window.get());
}

// A window that shows another one when it receives WM_APP.
LRESULT CALLBACK ShowTargetOnWmApp(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ShowWindow(reinterpret_cast<HWND>(lParam), SW_SHOWNA);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(FindProcessWindow, HandlesMessagesWhileItSearches) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ShowTargetOnWmApp;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KelvaneWakerClass";
    RegisterClassA(&windowClass);
    UniqueWindow waker(CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10,
                                       10, nullptr, nullptr, windowClass.hInstance, nullptr));
    UniqueWindow target(MakeTopLevelWindow("KelvaneTargetClass", "Kelvane target", false));
    ASSERT_TRUE(waker);
    ASSERT_TRUE(target);
    // Only the search's own message handling can show the target.
    ASSERT_TRUE(PostMessageA(waker.get(), WM_APP, 0, reinterpret_cast<LPARAM>(target.get())));

    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId(), "target", "absent", kLongMs), target.get());
}

} // namespace
} // namespace kelvane
