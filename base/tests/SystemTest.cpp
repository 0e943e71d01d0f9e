#include "base/System.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "base/Handles.h"

namespace kelvane {
namespace {

// A hidden window of the test thread that records the messages its procedure receives.
class RecordingWindow {
  public:
    RecordingWindow() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KelvaneRecordingWindow";
        RegisterClassA(&windowClass); // a second registration fails harmlessly
        window_.reset(CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10,
                                      nullptr, nullptr, windowClass.hInstance, nullptr));
        SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    HWND get() const { return window_.get(); }
    std::vector<UINT> received;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self != nullptr && message >= WM_KEYFIRST && message <= WM_APP + 100 &&
            (message >= WM_APP || message == WM_CHAR || message == WM_KEYDOWN)) {
            self->received.push_back(message);
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    UniqueWindow window_;
};

void DrainQueue() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

class ProcessEventsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(window.get(), nullptr);
        DrainQueue();
        window.received.clear();
    }
    void TearDown() override { DrainQueue(); }

    RecordingWindow window;
};

TEST_F(ProcessEventsTest, DispatchesEveryPendingMessageToItsWindow) {
    PostMessageA(window.get(), WM_APP + 1, 0, 0);
    PostMessageA(window.get(), WM_APP + 2, 0, 0);
    PostMessageA(window.get(), WM_APP + 3, 0, 0);
    ProcessEvents();
    EXPECT_EQ(window.received, (std::vector<UINT>{WM_APP + 1, WM_APP + 2, WM_APP + 3}));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(ProcessEventsTest, TranslatesKeysIntoCharacters) {
    PostMessageA(window.get(), WM_KEYDOWN, 'A', 0x001E0001);
    ProcessEvents();
    EXPECT_EQ(window.received, (std::vector<UINT>{WM_KEYDOWN, WM_CHAR}));
}

TEST_F(ProcessEventsTest, ReturnsAtOnceWithAQuitMessageAtTheHeadAndLeavesIt) {
    PostQuitMessage(7);
    ProcessEvents();
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(ProcessEventsTest, StopsAtAQuitMessageBehindOthers) {
    PostMessageA(window.get(), WM_APP + 1, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 5, 0);
    PostMessageA(window.get(), WM_APP + 2, 0, 0);
    ProcessEvents();
    EXPECT_EQ(window.received, (std::vector<UINT>{WM_APP + 1}));

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 2));
}

TEST_F(ProcessEventsTest, ReturnsAtOnceOnAnEmptyQueue) {
    ProcessEvents();
    EXPECT_TRUE(window.received.empty());
}

// Every text of the program is GBK: the test prefix must give the ANSI code page 936.
TEST(WinePrefix, AnsiCodePageIsGbk) {
    EXPECT_EQ(GetACP(), 936u);
}

TEST(TickCount, FollowsTheSystemTickCount) {
    const std::uint32_t before = GetTickCount();
    const std::uint32_t first = TickCount();
    Sleep(50);
    const std::uint32_t second = TickCount();
    EXPECT_GE(first - before, 0u);
    EXPECT_LT(first - before, 1000u);
    EXPECT_GE(second - first, 40u); // differences taken modulo 2^32, as callers do
    EXPECT_LT(second - first, 5000u);
}

} // namespace
} // namespace kelvane
