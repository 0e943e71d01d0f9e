// The environment object against the WScript.Shell stand-in, whose collections write the
// registry keys that Windows keeps the variables in.
#include "environment/SystemEnvironment.h"

#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/standin/EnvironmentKeys.h"
#include "tests/standin/StandInRegistration.h"

namespace kelvane {
namespace {

using standin::CountStored;
using standin::ReadStored;
using standin::WriteStored;

constexpr char kName[] = "KELVANE_ENV_TEST";
constexpr wchar_t kWideName[] = L"KELVANE_ENV_TEST";

class SystemEnvironmentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(standin::Register(standin::BuiltDllPath()));
        Clean();
    }
    void TearDown() override { Clean(); }
    static void Clean() {
        standin::DeleteStored(false, kWideName);
        standin::DeleteStored(true, kWideName);
        SetEnvironmentVariableW(kWideName, nullptr);
        SetEnvironmentVariableW(L"KELVANE_STANDIN_REFUSE", nullptr);
    }

    standin::RegistrationGuard registration;
    SystemEnvironment environment;
};

TEST_F(SystemEnvironmentTest, PutIsVisibleToALaterGetOfTheSameScopeOnly) {
    for (const bool forUser : {false, true}) {
        SCOPED_TRACE(forUser ? "user" : "system");
        const int before = environment.CountVariables(forUser);
        EXPECT_EQ(before, CountStored(forUser));

        ASSERT_TRUE(environment.SetVariable(forUser, kName, "C:\\jdk"));
        const auto stored = ReadStored(forUser, kWideName);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(stored->value, L"C:\\jdk");
        EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
        EXPECT_FALSE(ReadStored(!forUser, kWideName).has_value());
        EXPECT_EQ(environment.CountVariables(forUser), before + 1);
        EXPECT_EQ(environment.GetVariable(forUser, kName), "C:\\jdk");

        bool lost = true;
        ASSERT_TRUE(environment.SetVariable(forUser, kName, "D:\\\xD6\xD0\xCE\xC4"));
        EXPECT_EQ(ReadStored(forUser, kWideName)->value, L"D:\\\u4E2D\u6587");
        EXPECT_EQ(environment.GetVariable(forUser, kName, &lost), "D:\\\xD6\xD0\xCE\xC4");
        EXPECT_FALSE(lost);
        EXPECT_EQ(environment.CountVariables(forUser), before + 1);
        EXPECT_EQ(environment.GetVariable(!forUser, kName), "");

        EXPECT_TRUE(environment.RemoveVariable(forUser, kName));
        EXPECT_FALSE(ReadStored(forUser, kWideName).has_value());
        EXPECT_EQ(environment.GetVariable(forUser, kName), "");
        EXPECT_EQ(environment.CountVariables(forUser), before);
        // Removing what is not there is no failure.
        EXPECT_TRUE(environment.RemoveVariable(forUser, kName));
    }
}

TEST_F(SystemEnvironmentTest, ScopeLeftOutIsTheSystem) {
    ASSERT_TRUE(environment.SetVariable(std::nullopt, kName, "%JAVA_HOME%\\bin"));
    EXPECT_EQ(ReadStored(false, kWideName)->type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_FALSE(ReadStored(true, kWideName).has_value());
    EXPECT_EQ(environment.GetVariable(std::nullopt, kName), "%JAVA_HOME%\\bin");
    EXPECT_EQ(environment.CountVariables(std::nullopt), CountStored(false));
    EXPECT_TRUE(environment.RemoveVariable(std::nullopt, kName));
    EXPECT_FALSE(ReadStored(false, kWideName).has_value());
}

TEST_F(SystemEnvironmentTest, EmptyValueIsWritten) {
    ASSERT_TRUE(environment.SetVariable(false, kName, ""));
    const auto stored = ReadStored(false, kWideName);
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->value, L"");
}

// A variable the scope lacks or holds empty is answered from the process's own environment,
// whole whatever its length.
TEST_F(SystemEnvironmentTest, FallsBackToTheProcessEnvironment) {
    struct Case {
        const char* name;
        std::wstring processValue;
        Text expected;
        bool lost;
    };
    const Case cases[] = {
        {"short", L"C:\\jdk", "C:\\jdk", false},
        {"255 characters", std::wstring(255, L'a'), Text(255, 'a'), false},
        {"256 characters", std::wstring(256, L'b'), Text(256, 'b'), false},
        {"300 characters", std::wstring(300, L'c'), Text(300, 'c'), false},
        {"the longest a variable can be", std::wstring(32766, L'd'), Text(32766, 'd'), false},
        {"Chinese, 200 characters", std::wstring(200, L'\u4E2D'),
         [] {
             Text text;
             for (int k = 0; k < 200; ++k) {
                 text += "\xD6\xD0";
             }
             return text;
         }(),
         false},
        {"a character GBK lacks", L"C:\\\u0E01", "C:\\?", true},
        {"a long value with a character GBK lacks", std::wstring(400, L'e') + L"\u0E01",
         Text(400, 'e') + "?", true},
    };
    for (const bool forUser : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (forUser ? " (user)" : " (system)"));
            ASSERT_TRUE(SetEnvironmentVariableW(kWideName, c.processValue.c_str()));
            bool lost = !c.lost;
            EXPECT_EQ(environment.GetVariable(forUser, kName, &lost), c.expected);
            EXPECT_EQ(lost, c.lost);

            // Held empty by the scope: still the process's value.
            ASSERT_TRUE(WriteStored(forUser, kWideName, L"", REG_SZ));
            EXPECT_EQ(environment.GetVariable(forUser, kName), c.expected);
            standin::DeleteStored(forUser, kWideName);
        }
    }
    // The scope's own value comes first.
    ASSERT_TRUE(WriteStored(false, kWideName, L"from the registry", REG_SZ));
    EXPECT_EQ(environment.GetVariable(false, kName), "from the registry");
    // Set nowhere.
    SetEnvironmentVariableW(kWideName, nullptr);
    standin::DeleteStored(false, kWideName);
    EXPECT_EQ(environment.GetVariable(false, kName), "");
    EXPECT_EQ(environment.GetVariable(true, kName), "");
}

TEST_F(SystemEnvironmentTest, ReadOfTheScopeTellsWhatTheCodePageLost) {
    bool lost = false;
    ASSERT_TRUE(WriteStored(false, kWideName, L"C:\\\u0E01;D:\\\u4E2D", REG_EXPAND_SZ));
    EXPECT_EQ(environment.GetVariable(false, kName, &lost), "C:\\?;D:\\\xD6\xD0");
    EXPECT_TRUE(lost);
    ASSERT_TRUE(WriteStored(false, kWideName, L"D:\\\u4E2D", REG_EXPAND_SZ));
    EXPECT_EQ(environment.GetVariable(false, kName, &lost), "D:\\\xD6\xD0");
    EXPECT_FALSE(lost);
}

TEST_F(SystemEnvironmentTest, WithoutTheShellEveryOperationFails) {
    ASSERT_TRUE(standin::MakeUncreatable());
    ASSERT_TRUE(WriteStored(false, kWideName, L"stored", REG_SZ));
    // The process environment is not asked either.
    ASSERT_TRUE(SetEnvironmentVariableW(kWideName, L"process"));
    for (const bool forUser : {false, true}) {
        SCOPED_TRACE(forUser ? "user" : "system");
        bool lost = true;
        EXPECT_EQ(environment.GetVariable(forUser, kName, &lost), "");
        EXPECT_FALSE(lost);
        EXPECT_FALSE(environment.SetVariable(forUser, kName, "new"));
        EXPECT_FALSE(environment.RemoveVariable(forUser, kName));
        EXPECT_EQ(environment.CountVariables(forUser), -1);
    }
    EXPECT_EQ(ReadStored(false, kWideName)->value, L"stored");
    EXPECT_FALSE(ReadStored(true, kWideName).has_value());
}

// The stand-in refuses the members named in KELVANE_STANDIN_REFUSE.
TEST_F(SystemEnvironmentTest, FailedRequestsGiveTheirOwnResults) {
    constexpr std::int32_t kRealCount = -2;
    struct Case {
        const wchar_t* refused;
        const char* get; // the process's value stands in for a failed read
        std::int32_t count;
        bool removes; // RemoveVariable answers true either way
        bool sets;
    };
    const Case cases[] = {
        {L"Environment", "process", 0, false, false},
        {L"Item", "process", kRealCount, true, false},
        {L"length", "stored", 0, true, true},
        {L"Remove", "stored", kRealCount, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.refused);
        ASSERT_TRUE(WriteStored(false, kWideName, L"stored", REG_SZ));
        ASSERT_TRUE(SetEnvironmentVariableW(kWideName, L"process"));
        ASSERT_TRUE(SetEnvironmentVariableW(L"KELVANE_STANDIN_REFUSE", c.refused));

        EXPECT_EQ(environment.GetVariable(false, kName), c.get);
        EXPECT_EQ(environment.CountVariables(false),
                  c.count == kRealCount ? CountStored(false) : c.count);
        EXPECT_TRUE(environment.RemoveVariable(false, kName));
        EXPECT_EQ(ReadStored(false, kWideName).has_value(), !c.removes);
        EXPECT_EQ(environment.SetVariable(false, kName, "new"), c.sets);
        const auto stored = ReadStored(false, kWideName);
        EXPECT_EQ(stored.has_value() && stored->value == L"new", c.sets);
        Clean();
    }
}

// Each operation raises the thread's COM initialisation count and leaves it raised; the
// destructor lowers it once. On a thread where nobody initialised COM the operations still work.
TEST_F(SystemEnvironmentTest, OperationsInitialiseComAndTheDestructorUndoesItOnce) {
    struct Outcome {
        std::int32_t count = -3;
        HRESULT afterwards = E_FAIL;
    };
    const auto run = [](int operations) {
        Outcome outcome;
        std::thread thread([&] {
            {
                SystemEnvironment ownEnvironment;
                for (int k = 0; k < operations; ++k) {
                    outcome.count = ownEnvironment.CountVariables(false);
                }
            }
            // S_OK: the count was back at zero; S_FALSE: COM was still initialised.
            outcome.afterwards = CoInitialize(nullptr);
            CoUninitialize();
        });
        thread.join();
        return outcome;
    };
    const Outcome once = run(1);
    EXPECT_EQ(once.count, CountStored(false));
    EXPECT_EQ(once.afterwards, S_OK);
    const Outcome twice = run(2);
    EXPECT_EQ(twice.count, CountStored(false));
    EXPECT_EQ(twice.afterwards, S_FALSE);
}

TEST_F(SystemEnvironmentTest, CopyWorksLikeItsSource) {
    const SystemEnvironment copy(environment);
    SystemEnvironment assigned;
    assigned = copy;
    ASSERT_TRUE(SystemEnvironment(assigned).SetVariable(true, kName, "copied"));
    EXPECT_EQ(environment.GetVariable(true, kName), "copied");
}

} // namespace
} // namespace kelvane
