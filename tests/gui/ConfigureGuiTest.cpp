// The Configure command on the real exe: a click on 配置 writes CLASSPATH, JAVA_HOME and Path
// into the system's environment (the WScript.Shell stand-in stores them where Windows does),
// tells running programs, and says what happened in a message box owned by the main window.
#include <windows.h>

#include <userenv.h>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>

#include "tests/gui/MainWindowFixture.h"
#include "tests/standin/EnvironmentKeys.h"
#include "tests/standin/StandInRegistration.h"

namespace kelvane::gui {
namespace {

using standin::ReadStored;
using standin::StoredVariable;

// GBK texts of the box.
inline constexpr char kTitle[] = "\xD3\xD1\xC7\xE9\xCC\xE1\xD0\xD1"; // 友情提醒
inline constexpr char kDone[] = "\xC5\xE4\xD6\xC3\xCD\xEA\xB3\xC9!"; // 配置完成!
inline constexpr char kFailedAll[] =
    "\xC5\xE4\xD6\xC3\xCA\xA7\xB0\xDC!\r\n" // 配置失败!
    "\xCE\xB4\xC4\xDC\xD0\xB4\xC8\xEB\xB5\xC4\xCF\xB5\xCD\xB3\xBB\xB7\xBE\xB3\xB1\xE4\xC1\xBF"
    "\xA3\xBA"                                   // 未能写入的系统环境变量：
    "CLASSPATH\xA1\xA2JAVA_HOME\xA1\xA2Path\r\n" // 、
    "\xC7\xEB\xD2\xD4\xB9\xDC\xC0\xED\xD4\xB1\xC9\xED\xB7\xDD\xD4\xCB\xD0\xD0\xB1\xBE\xB3\xCC"
    "\xD0\xF2\xBA\xF3\xD6\xD8\xCA\xD4\xA1\xA3"; // 请以管理员身份运行本程序后重试。
inline constexpr wchar_t kClassPath[] = L".;%JAVA_HOME%\\lib\\dt.jar;%JAVA_HOME%\\lib\\tools.jar;";
inline constexpr wchar_t kPrefix[] = L"%JAVA_HOME%\\bin;%JAVA_HOME%\\jre\\bin;";

constexpr int kMessageTextId = 0xFFFF; // the static control that holds a message box's text

// Keeps the system's CLASSPATH, JAVA_HOME and Path of the test prefix and puts them back: the
// prefix's Wine processes take their environment from them.
class SavedVariables {
  public:
    SavedVariables() {
        for (const wchar_t* name : {L"CLASSPATH", L"JAVA_HOME", L"Path"}) {
            saved_[name] = ReadStored(false, name);
        }
    }
    SavedVariables(const SavedVariables&) = delete;
    SavedVariables& operator=(const SavedVariables&) = delete;
    ~SavedVariables() {
        for (const auto& [name, stored] : saved_) {
            standin::DeleteStored(false, name);
            if (stored) {
                (void)standin::WriteStored(false, name, stored->value, stored->type);
            }
        }
    }

  private:
    std::map<std::wstring, std::optional<StoredVariable>> saved_;
};

// A top-level window of the test on its own thread, counting the broadcasts that say the
// environment changed.
class SettingChangeListener {
  public:
    SettingChangeListener() {
        thread_ = std::thread([this] { Run(); });
        WaitUntil([this] { return ready_.load(); }, kTimeout);
    }
    SettingChangeListener(const SettingChangeListener&) = delete;
    SettingChangeListener& operator=(const SettingChangeListener&) = delete;
    ~SettingChangeListener() {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    int EnvironmentChanges() const { return changes_.load(); }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SETTINGCHANGE && lParam != 0 &&
            lstrcmpA(reinterpret_cast<const char*>(lParam), "Environment") == 0) {
            auto* self =
                reinterpret_cast<SettingChangeListener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            ++self->changes_;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void Run() {
        threadId_ = GetCurrentThreadId();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "KelvaneSettingChangeListener";
        RegisterClassA(&windowClass);
        UniqueWindow window(CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0,
                                            10, 10, nullptr, nullptr, windowClass.hInstance,
                                            nullptr));
        SetWindowLongPtrA(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue exists now
        ready_ = true;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            DispatchMessageA(&message);
        }
    }

    std::thread thread_;
    std::atomic<DWORD> threadId_{0};
    std::atomic<bool> ready_{false};
    std::atomic<int> changes_{0};
};

std::wstring Wide(const std::string& ansi) {
    std::wstring wide(ansi.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                            static_cast<int>(wide.size()))));
    return wide;
}

// The message box that the main window owns: its text, its buttons, whether it shows an icon.
struct MessageBoxSeen {
    HWND handle = nullptr;
    Text caption;
    Text text;
    std::vector<Text> buttons;
    bool hasIcon = false;
};

class ConfigureGui : public MainWindowGui {
  protected:
    void SetUp() override {
        ASSERT_TRUE(standin::Register(standin::BuiltDllPath()));
        MainWindowGui::SetUp();
    }

    // Puts text into the path box, clicks 配置 and waits for the box.
    MessageBoxSeen Configure(const Text& javaHome) {
        SendMessageA(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(javaHome.c_str()));
        Click(configure);
        MessageBoxSeen box;
        box.handle = WaitForOwnedWindow(window, "#32770", kStartTimeout);
        if (box.handle == nullptr) {
            return box;
        }
        box.caption = WindowText(box.handle);
        box.text = WindowText(GetDlgItem(box.handle, kMessageTextId));
        for (const Control& control : Controls(box.handle)) {
            if (SameClass(control.className, "Button") && (control.style & WS_VISIBLE) != 0) {
                box.buttons.push_back(control.text);
            }
            if (SameClass(control.className, "Static") &&
                (control.style & SS_TYPEMASK) == SS_ICON) {
                box.hasIcon = SendMessageA(control.handle, STM_GETICON, 0, 0) != 0;
            }
        }
        return box;
    }

    // Presses the box's OK button and waits until the box has gone.
    bool Dismiss(const MessageBoxSeen& box) {
        Click(GetDlgItem(box.handle, IDOK));
        return WaitUntil([&] { return !IsWindow(box.handle); }, kTimeout);
    }

    bool ConfigureEnabled() const {
        return (GetWindowLongPtrA(configure, GWL_STYLE) & WS_DISABLED) == 0;
    }

    standin::RegistrationGuard registration;
    SavedVariables savedVariables;
};

TEST_F(ConfigureGui, WritesTheThreeVariablesAndSaysSo) {
    ASSERT_TRUE(standin::WriteStored(
        false, L"Path", L"C:\\windows\\system32;C:\\Program Files\\Java\\jdk1.7.0\\bin",
        REG_EXPAND_SZ));
    ASSERT_TRUE(standin::WriteStored(false, L"CLASSPATH", L"C:\\old.jar", REG_SZ));
    SettingChangeListener listener;

    const MessageBoxSeen box = Configure("C:\\Program Files\\Java\\jdk1.8.0_131");
    ASSERT_NE(box.handle, nullptr) << "no message box owned by the main window";
    EXPECT_EQ(box.caption, kTitle);
    EXPECT_EQ(box.text, kDone);
    EXPECT_EQ(box.buttons, std::vector<Text>{"\xC8\xB7\xB6\xA8"}); // 确定
    EXPECT_FALSE(box.hasIcon);
    EXPECT_EQ(GetWindow(box.handle, GW_OWNER), window);
    EXPECT_TRUE(ConfigureEnabled()) << "the button is enabled again before the box";

    const auto classPath = ReadStored(false, L"CLASSPATH");
    const auto javaHome = ReadStored(false, L"JAVA_HOME");
    const auto newPath = ReadStored(false, L"Path");
    ASSERT_TRUE(classPath && javaHome && newPath);
    EXPECT_EQ(classPath->value, kClassPath);
    EXPECT_EQ(javaHome->value, L"C:\\Program Files\\Java\\jdk1.8.0_131");
    EXPECT_EQ(javaHome->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(newPath->value, std::wstring(kPrefix) + L"C:\\windows\\system32;");
    EXPECT_EQ(newPath->type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_TRUE(WaitUntil([&] { return listener.EnvironmentChanges() == 1; }, kTimeout))
        << "running programs were told " << listener.EnvironmentChanges() << " times";

    ASSERT_TRUE(Dismiss(box));
    EXPECT_TRUE(ConfigureEnabled());
    EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(ConfigureGui, AFailedWriteIsNeverReportedAsSuccess) {
    ASSERT_TRUE(standin::WriteStored(false, L"Path", L"C:\\windows\\system32", REG_EXPAND_SZ));
    standin::DeleteStored(false, L"JAVA_HOME");
    ASSERT_TRUE(standin::MakeUncreatable());

    const MessageBoxSeen box = Configure("C:\\jdk");
    ASSERT_NE(box.handle, nullptr);
    EXPECT_EQ(box.caption, kTitle);
    EXPECT_EQ(box.text, kFailedAll);
    EXPECT_TRUE(box.hasIcon) << "the failure shows the error icon";
    EXPECT_EQ(GetWindow(box.handle, GW_OWNER), window);
    EXPECT_TRUE(ConfigureEnabled());

    EXPECT_FALSE(ReadStored(false, L"JAVA_HOME").has_value());
    EXPECT_EQ(ReadStored(false, L"Path")->value, L"C:\\windows\\system32");
    ASSERT_TRUE(Dismiss(box));
}

TEST_F(ConfigureGui, KeepsLongAndChineseValuesWhole) {
    // A Path at the limit of a variable, 32,767 characters in 2,000 entries, with Chinese
    // entries and java entries among them.
    std::wstring oldPath;
    std::wstring kept;
    for (int entry = 0; oldPath.size() < 32'767 - 40; ++entry) {
        std::wstring text = entry % 500 == 7   ? L"C:\\Java\\jre" + std::to_wstring(entry)
                            : entry % 300 == 3 ? L"C:\\\u4E2D\u6587\\" + std::to_wstring(entry)
                                               : L"C:\\Tools\\t" + std::to_wstring(entry);
        if (!oldPath.empty()) {
            oldPath += L';';
        }
        oldPath += text;
    }
    oldPath += L";C:\\last" + std::wstring(32'767 - oldPath.size() - 8, L'x');
    ASSERT_EQ(oldPath.size(), 32'767u);
    for (std::size_t start = 0; start <= oldPath.size();) {
        std::size_t end = oldPath.find(L';', start);
        if (end == std::wstring::npos) {
            end = oldPath.size();
        }
        const std::wstring entry = oldPath.substr(start, end - start);
        if (entry.find(L"Java") == std::wstring::npos) {
            kept += (kept.empty() ? L"" : L";") + entry;
        }
        start = end + 1;
    }
    ASSERT_TRUE(standin::WriteStored(false, L"Path", oldPath, REG_EXPAND_SZ));

    const std::string longHome = "D:\\" + std::string(1'996, 'j') + "\xD6\xD0";
    const MessageBoxSeen box = Configure(longHome);
    ASSERT_NE(box.handle, nullptr);
    EXPECT_EQ(box.text, kDone);
    EXPECT_EQ(ReadStored(false, L"JAVA_HOME")->value, Wide(longHome));
    EXPECT_EQ(ReadStored(false, L"Path")->value, std::wstring(kPrefix) + kept);
    ASSERT_TRUE(Dismiss(box));

    // An empty path box still writes all three, JAVA_HOME as the empty text.
    const MessageBoxSeen second = Configure("");
    ASSERT_NE(second.handle, nullptr);
    EXPECT_EQ(second.text, kDone);
    ASSERT_TRUE(ReadStored(false, L"JAVA_HOME").has_value());
    EXPECT_EQ(ReadStored(false, L"JAVA_HOME")->value, L"");
    EXPECT_EQ(ReadStored(false, L"Path")->value, std::wstring(kPrefix) + kept);
    ASSERT_TRUE(Dismiss(second));
}

// The user's proof: a command prompt started afresh, with the environment Windows gives a new
// logon (built from the registry), runs the java.exe of the configured directory.
TEST_F(ConfigureGui, ANewCommandPromptFindsJavaInTheConfiguredDirectory) {
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring home =
        std::wstring(temporary) + L"kelvane-jdk-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring bin = home + L"\\bin";
    CreateDirectoryW(home.c_str(), nullptr);
    CreateDirectoryW(bin.c_str(), nullptr);
    ASSERT_TRUE(
        CopyFileW(Wide(KELVANE_FAKE_JAVA_PATH).c_str(), (bin + L"\\java.exe").c_str(), FALSE));
    const auto oldPath = ReadStored(false, L"Path");
    ASSERT_TRUE(oldPath.has_value());

    char homeAnsi[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, home.c_str(), -1, homeAnsi, sizeof homeAnsi, nullptr, nullptr);
    const MessageBoxSeen box = Configure(homeAnsi);
    ASSERT_NE(box.handle, nullptr);
    EXPECT_EQ(box.text, kDone);
    ASSERT_TRUE(Dismiss(box));

    void* block = nullptr;
    ASSERT_TRUE(CreateEnvironmentBlock(&block, nullptr, FALSE));
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    UniqueFile reader(readEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION child{};
    std::wstring commandLine = L"cmd.exe /c echo home=%JAVA_HOME%& java";
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, block,
                                        temporary, &startup, &child);
    CloseHandle(writeEnd);
    DestroyEnvironmentBlock(block);
    ASSERT_TRUE(started);
    std::string output;
    char chunk[512];
    DWORD read = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read > 0) {
        output.append(chunk, read);
    }
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 30'000), WAIT_OBJECT_0);
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);

    EXPECT_NE(output.find(std::string("home=") + homeAnsi), std::string::npos) << output;
    EXPECT_NE(output.find(std::string("kelvane test java at ") + homeAnsi + "\\bin\\java.exe"),
              std::string::npos)
        << output;
    DeleteFileW((bin + L"\\java.exe").c_str());
    RemoveDirectoryW(bin.c_str());
    RemoveDirectoryW(home.c_str());
}

} // namespace
} // namespace kelvane::gui
