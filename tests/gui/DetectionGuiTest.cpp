// The JDK detection on the real exe: shortcuts made by the shell in the prefix's Start menu, and
// what the path box holds the moment the window is first visible.
#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jdkfind/tests/ShellShortcut.h"
#include "tests/gui/MainWindowFixture.h"

namespace kelvane::gui {
namespace {

std::string JdkFolder(int csidl) {
    char folder[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, folder, csidl, TRUE);
    return std::string(folder) + "\\Java Development Kit";
}

void RemoveShortcuts(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    UniqueFind search(FindFirstFileA((folder + "\\*.lnk").c_str(), &entry));
    if (search) {
        do {
            DeleteFileA((folder + "\\" + entry.cFileName).c_str());
        } while (FindNextFileA(search.get(), &entry));
    }
    search.reset();
    RemoveDirectoryA(folder.c_str());
}

class DetectionGui : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        RemoveShortcuts(allUsers_);
        RemoveShortcuts(currentUser_);
    }
    void TearDown() override {
        RemoveShortcuts(allUsers_);
        RemoveShortcuts(currentUser_);
        CoUninitialize();
    }

    static void Place(const std::string& folder, const std::string& name,
                      const std::string& target) {
        CreateDirectoryA(folder.c_str(), nullptr);
        testing::ShellRequest request;
        request.target = target;
        ASSERT_TRUE(testing::MakeShellShortcut(folder + "\\" + name, request)) << name;
    }

    // Starts Kelvane and reads the path box as soon as the window is visible.
    static Text PathBoxWhenShown() {
        auto process = KelvaneProcess::Start(KelvaneExe());
        if (!process) {
            ADD_FAILURE() << "cannot start " << KelvaneExe();
            return {};
        }
        HWND window = process->WaitForWindow("WTWindow", kStartTimeout);
        if (window == nullptr) {
            ADD_FAILURE() << "Kelvane's window did not appear";
            return {};
        }
        return WindowText(FindWindowExA(window, nullptr, "Edit", nullptr));
    }

    const std::string allUsers_ = JdkFolder(CSIDL_COMMON_PROGRAMS);
    const std::string currentUser_ = JdkFolder(CSIDL_PROGRAMS);
};

TEST_F(DetectionGui, FillsThePathBoxBeforeTheWindowIsSeen) {
    const struct {
        const char* name;
        const char* target;
        const char* expected;
    } cases[] = {
        {"Java Mission Control.lnk", "C:\\Program Files\\Java\\jdk1.8.0_131\\bin\\jmc.exe",
         "C:\\Program Files\\Java\\jdk1.8.0_131"},
        {"java mission control.lnk", "C:\\Program Files\\Java\\jdk1.8.0_131\\bin\\jmc.exe", ""},
        {"Java Mission Control 5.5.lnk", "C:\\jdk7\\bin\\jmc.exe", "C:\\jdk7"},
        {"Java Mission Control.lnk", "D:\\binaries\\jdk\\bin\\app.exe", "D:"},
        {"Java Mission Control.lnk", "C:\\jdk\\BIN\\jmc.exe", ""},
        // 中文 (D6 D0 CE C4) in the target survives byte for byte.
        {"Java Mission Control.lnk", "C:\\\xD6\xD0\xCE\xC4\\jdk\\bin\\jmc.exe",
         "C:\\\xD6\xD0\xCE\xC4\\jdk"},
    };
    for (const auto& c : cases) {
        Place(allUsers_, c.name, c.target);
        EXPECT_EQ(PathBoxWhenShown(), c.expected) << c.name << " -> " << c.target;
        RemoveShortcuts(allUsers_);
    }
}

TEST_F(DetectionGui, LooksInTheAllUsersStartMenuOnly) {
    Place(currentUser_, "Java Mission Control.lnk", "C:\\jdk\\bin\\jmc.exe");
    EXPECT_EQ(PathBoxWhenShown(), "");
}

} // namespace
} // namespace kelvane::gui
