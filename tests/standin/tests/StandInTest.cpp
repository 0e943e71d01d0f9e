// The WScript.Shell stand-in, asked through IDispatch the way any automation client asks it.
#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "environment/Automation.h"
#include "tests/standin/EnvironmentKeys.h"
#include "tests/standin/StandInRegistration.h"

namespace kelvane::standin {
namespace {

using Microsoft::WRL::ComPtr;

constexpr char kName[] = "KELVANE_STANDIN_TEST";
constexpr wchar_t kWideName[] = L"KELVANE_STANDIN_TEST";

class StandInTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_TRUE(Register(BuiltDllPath()));
        Clean();
    }
    void TearDown() override {
        Clean();
        CoUninitialize();
    }
    static void Clean() {
        DeleteStored(false, kWideName);
        DeleteStored(true, kWideName);
        SetEnvironmentVariableW(kWideName, nullptr);
        SetEnvironmentVariableW(L"KELVANE_STANDIN_REFUSE", nullptr);
    }

    // The collection of a scope; empty when the shell refuses the scope.
    static AutomationObject Collection(const char* scope) {
        AutomationObject shell;
        EXPECT_TRUE(shell.Create("WScript.Shell"));
        return shell.RequestObject("Environment", RequestKind::Method, {scope});
    }

    RegistrationGuard registration;
};

// The raw result of a method call with one text argument, where the automation layer would
// fold a failure into an empty result.
HRESULT CallWithText(const AutomationObject& object, const wchar_t* member, const wchar_t* text) {
    std::wstring name(member);
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object.Get()->GetIDsOfNames(IID_NULL, names, 1, 0, &id))) {
        return DISP_E_UNKNOWNNAME;
    }
    UniqueBstr argumentText(SysAllocString(text));
    VARIANTARG argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = argumentText.get();
    DISPPARAMS parameters{&argument, nullptr, 1, 0};
    UniqueVariant result;
    EXCEPINFO exception{};
    const HRESULT status = object.Get()->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &parameters,
                                                result.get(), &exception, nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    return status;
}

// Where a put through each spelling of a scope lands.
TEST_F(StandInTest, ScopeNamesAreCaseInsensitiveAndReachTheirStores) {
    struct Case {
        const char* scope;
        enum { System, User, Process } store;
    };
    const Case cases[] = {{"System", Case::System},  {"SYSTEM", Case::System},
                          {"system", Case::System},  {"User", Case::User},
                          {"uSeR", Case::User},      {"Process", Case::Process},
                          {"PROCESS", Case::Process}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scope);
        const AutomationObject collection = Collection(c.scope);
        ASSERT_FALSE(collection.Empty());
        ASSERT_TRUE(collection.PutProperty("Item", kName, "value"));
        const auto system = ReadStored(false, kWideName);
        const auto user = ReadStored(true, kWideName);
        wchar_t process[16] = {};
        GetEnvironmentVariableW(kWideName, process, 16);
        EXPECT_EQ(system.has_value(), c.store == Case::System);
        EXPECT_EQ(user.has_value(), c.store == Case::User);
        EXPECT_EQ(std::wstring(process), c.store == Case::Process ? L"value" : L"");
        EXPECT_EQ(collection.RequestText("Item", RequestKind::PropertyGet, {kName}), "value");
        Clean();
    }
    EXPECT_TRUE(Collection("Volatile").Empty());
    EXPECT_TRUE(Collection("").Empty());
}

TEST_F(StandInTest, StoredTypeFollowsThePercentSignOrTheValueReplaced) {
    struct Case {
        const char* name;
        DWORD oldType; // 0: no old value
        const char* value;
        DWORD expected;
    };
    const Case cases[] = {
        {"new plain value", 0, "C:\\jdk", REG_SZ},
        {"new value with %", 0, "%JAVA_HOME%\\bin", REG_EXPAND_SZ},
        {"% replacing plain", REG_SZ, "%JAVA_HOME%\\bin", REG_EXPAND_SZ},
        {"plain replacing plain", REG_SZ, "C:\\jdk", REG_SZ},
        {"plain replacing expandable keeps it", REG_EXPAND_SZ, "C:\\jdk", REG_EXPAND_SZ},
        {"a lone % counts", 0, "100%", REG_EXPAND_SZ},
    };
    for (const bool forUser : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (forUser ? " (user)" : " (system)"));
            if (c.oldType != 0) {
                ASSERT_TRUE(WriteStored(forUser, kWideName, L"old", c.oldType));
            }
            const AutomationObject collection = Collection(forUser ? "User" : "System");
            ASSERT_TRUE(collection.PutProperty("Item", kName, c.value));
            const auto stored = ReadStored(forUser, kWideName);
            ASSERT_TRUE(stored.has_value());
            EXPECT_EQ(stored->type, c.expected);
            // Read back as stored, not expanded.
            EXPECT_EQ(collection.RequestText("Item", RequestKind::PropertyGet, {kName}), c.value);
            DeleteStored(forUser, kWideName);
        }
    }
}

TEST_F(StandInTest, MissingVariableReadsEmptyAndCannotBeRemoved) {
    for (const char* scope : {"System", "User", "Process"}) {
        SCOPED_TRACE(scope);
        const AutomationObject collection = Collection(scope);
        EXPECT_EQ(collection.RequestText("Item", RequestKind::PropertyGet, {kName}), "");
        EXPECT_EQ(CallWithText(collection, L"Remove", kWideName), DISP_E_EXCEPTION);
        ASSERT_TRUE(collection.PutProperty("Item", kName, "x"));
        EXPECT_EQ(collection.RequestText("Item", RequestKind::PropertyGet, {kName}), "x");
    }
}

TEST_F(StandInTest, RemoveDeletesTheVariable) {
    ASSERT_TRUE(WriteStored(false, kWideName, L"x", REG_SZ));
    ASSERT_TRUE(WriteStored(true, kWideName, L"y", REG_SZ));
    ASSERT_TRUE(SetEnvironmentVariableW(kWideName, L"z"));

    for (const char* scope : {"System", "User", "Process"}) {
        SCOPED_TRACE(scope);
        const AutomationObject collection = Collection(scope);
        ASSERT_FALSE(collection.Empty());
        EXPECT_EQ(CallWithText(collection, L"Remove", kWideName), S_OK);
    }
    EXPECT_FALSE(ReadStored(false, kWideName).has_value());
    EXPECT_FALSE(ReadStored(true, kWideName).has_value());
    EXPECT_EQ(GetEnvironmentVariableW(kWideName, nullptr, 0), 0u);
}

TEST_F(StandInTest, LengthAndCountGiveTheNumberOfVariables) {
    for (const bool forUser : {false, true}) {
        SCOPED_TRACE(forUser ? "user" : "system");
        const AutomationObject collection = Collection(forUser ? "User" : "System");
        const int before = CountStored(forUser);
        EXPECT_EQ(collection.RequestNumber("length", RequestKind::PropertyGet), before);
        EXPECT_EQ(collection.RequestNumber("Count", RequestKind::Method), before);
        ASSERT_TRUE(collection.PutProperty("Item", kName, "x"));
        EXPECT_EQ(collection.RequestNumber("length", RequestKind::PropertyGet), before + 1);
    }
}

std::vector<std::wstring> Enumerate(const AutomationObject& collection, ULONG batch) {
    std::vector<std::wstring> items;
    ComPtr<IEnumVARIANT> enumerator;
    const ComPtr<IUnknown> object = collection.RequestInterface("_NewEnum", RequestKind::Method);
    if (object == nullptr || FAILED(object.As(&enumerator))) {
        ADD_FAILURE() << "no enumerator";
        return items;
    }
    std::vector<VARIANT> elements(batch);
    for (;;) {
        ULONG fetched = 0;
        const HRESULT status = enumerator->Next(batch, elements.data(), &fetched);
        for (ULONG k = 0; k < fetched; ++k) {
            EXPECT_EQ(V_VT(&elements[k]), VT_BSTR);
            items.emplace_back(V_BSTR(&elements[k]));
            VariantClear(&elements[k]);
        }
        if (status != S_OK) {
            EXPECT_EQ(status, S_FALSE);
            break;
        }
    }
    return items;
}

TEST_F(StandInTest, EnumeratorHandsOutNameEqualsValueForEveryVariable) {
    ASSERT_TRUE(WriteStored(false, kWideName, L"%SystemRoot%\\x", REG_EXPAND_SZ));
    const AutomationObject collection = Collection("System");
    for (const ULONG batch : {1ul, 3ul, 1000ul}) {
        SCOPED_TRACE(batch);
        const std::vector<std::wstring> items = Enumerate(collection, batch);
        EXPECT_EQ(static_cast<int>(items.size()), CountStored(false));
        EXPECT_EQ(
            std::count(items.begin(), items.end(), std::wstring(kWideName) + L"=%SystemRoot%\\x"),
            1);
        for (const std::wstring& item : items) {
            EXPECT_NE(item.find(L'='), std::wstring::npos) << item.c_str();
        }
    }

    ASSERT_TRUE(SetEnvironmentVariableW(kWideName, L"a=b"));
    const std::vector<std::wstring> process = Enumerate(Collection("Process"), 1);
    EXPECT_EQ(std::count(process.begin(), process.end(), std::wstring(kWideName) + L"=a=b"), 1);
}

TEST_F(StandInTest, RefusedMembersFail) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"KELVANE_STANDIN_REFUSE", L"item;LENGTH"));
    const AutomationObject collection = Collection("System");
    ASSERT_FALSE(collection.Empty());
    EXPECT_FALSE(collection.PutProperty("Item", kName, "x"));
    EXPECT_FALSE(ReadStored(false, kWideName).has_value());
    EXPECT_EQ(collection.RequestNumber("length", RequestKind::PropertyGet), 0);
    EXPECT_EQ(collection.RequestNumber("Count", RequestKind::Method), CountStored(false));

    ASSERT_TRUE(SetEnvironmentVariableW(L"KELVANE_STANDIN_REFUSE", L"Environment"));
    EXPECT_TRUE(Collection("System").Empty());
}

TEST_F(StandInTest, RegistrationDecidesWhetherTheShellCanBeCreated) {
    CLSID classId{};
    ASSERT_EQ(CLSIDFromProgID(L"WScript.Shell", &classId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(classId, kClassId));

    ASSERT_TRUE(MakeUncreatable());
    EXPECT_FALSE(CurrentClass().has_value());
    EXPECT_EQ(CLSIDFromProgID(L"WScript.Shell", &classId), CO_E_CLASSSTRING);
    AutomationObject shell;
    EXPECT_FALSE(shell.Create("WScript.Shell"));
    EXPECT_TRUE(shell.Empty());

    ASSERT_TRUE(Register(BuiltDllPath()));
    EXPECT_TRUE(shell.Create("WScript.Shell"));
}

TEST_F(StandInTest, GuardPutsBackWhatItFound) {
    {
        RegistrationGuard guard;
        ASSERT_TRUE(MakeUncreatable());
    }
    EXPECT_TRUE(CurrentClass().has_value());
    ASSERT_TRUE(MakeUncreatable());
    {
        RegistrationGuard guard;
        ASSERT_TRUE(Register(BuiltDllPath()));
    }
    EXPECT_FALSE(CurrentClass().has_value());
}

} // namespace
} // namespace kelvane::standin
