// ListVariables against the WScript.Shell stand-in.
#include "environment/SystemEnvironment.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/standin/EnvironmentKeys.h"
#include "tests/standin/StandInRegistration.h"

namespace kelvane {
namespace {

constexpr wchar_t kWideName[] = L"KELVANE_LIST_TEST";

class VariableListingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(standin::Register(standin::BuiltDllPath()));
        Clean();
    }
    void TearDown() override { Clean(); }
    static void Clean() {
        standin::DeleteStored(false, kWideName);
        standin::DeleteStored(true, kWideName);
        SetEnvironmentVariableW(L"KELVANE_STANDIN_REFUSE", nullptr);
    }

    standin::RegistrationGuard registration;
    SystemEnvironment environment;
};

TEST_F(VariableListingTest, AppendsTheScopeBehindWhatTheArrayHeld) {
    for (const bool forUser : {false, true}) {
        SCOPED_TRACE(forUser ? "user" : "system");
        ASSERT_TRUE(standin::WriteStored(forUser, kWideName, L"%A%;\u4E2D", REG_EXPAND_SZ));
        const int scope = standin::CountStored(forUser);
        ASSERT_GT(scope, 0);

        TextArray names = {"old 1", "old 2"};
        ASSERT_EQ(environment.ListVariables(forUser, names), scope + 2);
        EXPECT_EQ(names[0], "old 1");
        EXPECT_EQ(names[1], "old 2");
        const TextArray first(names.begin() + 2, names.end());
        EXPECT_EQ(std::count(first.begin(), first.end(), "KELVANE_LIST_TEST=%A%;\xD6\xD0"), 1);
        EXPECT_TRUE(std::all_of(first.begin(), first.end(),
                                [](const Text& item) { return item.find('=') != Text::npos; }));

        // A second call appends the scope once more.
        ASSERT_EQ(environment.ListVariables(forUser, names), 2 * scope + 2);
        EXPECT_EQ(TextArray(names.begin() + 2 + scope, names.end()), first);
        Clean();
    }
}

TEST_F(VariableListingTest, ScopeLeftOutIsTheSystem) {
    ASSERT_TRUE(standin::WriteStored(false, kWideName, L"system", REG_SZ));
    TextArray names;
    EXPECT_EQ(environment.ListVariables(std::nullopt, names), standin::CountStored(false));
    EXPECT_EQ(std::count(names.begin(), names.end(), "KELVANE_LIST_TEST=system"), 1);
}

TEST_F(VariableListingTest, WithoutTheShellTheArrayStaysAsItWas) {
    ASSERT_TRUE(standin::MakeUncreatable());
    TextArray names = {"old"};
    EXPECT_EQ(environment.ListVariables(false, names), -1);
    EXPECT_EQ(names, TextArray{"old"});
}

TEST_F(VariableListingTest, WithoutAnEnumeratorNothingIsAppended) {
    for (const wchar_t* refused : {L"Environment", L"_NewEnum"}) {
        ASSERT_TRUE(SetEnvironmentVariableW(L"KELVANE_STANDIN_REFUSE", refused));
        TextArray names = {"old 1", "old 2"};
        EXPECT_EQ(environment.ListVariables(false, names), 2);
        EXPECT_EQ(names, (TextArray{"old 1", "old 2"}));
    }
}

// An enumerator that fails after its first element, leaving the fetched count alone: the
// element is listed once, and nothing stale follows it.
TEST_F(VariableListingTest, StopsAtAnErrorOfNext) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"KELVANE_STANDIN_REFUSE", L"Next"));
    TextArray names = {"old"};
    EXPECT_EQ(environment.ListVariables(false, names), 2);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_NE(names[1].find('='), Text::npos);
}

int handled = 0;

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++handled;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The GUI thread's messages are handled while the listing runs.
TEST_F(VariableListingTest, HandlesPendingMessagesOnTheWay) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &CountingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KelvaneListingTest";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_APP, 0, 0);
    TextArray names;
    EXPECT_GT(environment.ListVariables(false, names), 0);
    EXPECT_EQ(handled, 1);
    DestroyWindow(window);
}

} // namespace
} // namespace kelvane
