// DetectJavaHome against the real all-users Start menu of the test prefix.
#include "jdkfind/JavaHomeDetector.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandWindow.h"
#include "base/Handles.h"

namespace kelvane {
namespace {

class PathBoxOnly : public CommandWindow {
  public:
    Text PathText() const override { return path; }
    void SetPathText(std::string_view text) override {
        path = text;
        ++replaced;
    }
    void EnableConfigure(bool) override {}
    HWND Handle() const override { return nullptr; }
    SystemEnvironment& Environment() override {
        ADD_FAILURE() << "the detection has no use for the environment object";
        std::abort();
    }

    Text path = "typed before";
    int replaced = 0;
};

// A minimal shortcut with a LinkInfo whose local base path is target: no ID list, LinkInfo
// flags 1, an empty common path suffix.
std::string ShortcutTo(const std::string& target) {
    std::string data(76, '\0');
    data[0] = 0x4C;
    data[20] = 0x02; // HasLinkInfo
    data[60] = 0x01; // normal window
    const std::uint32_t headerSize = 0x1C;
    const std::uint32_t suffixOffset = headerSize + static_cast<std::uint32_t>(target.size()) + 1;
    const std::uint32_t size = suffixOffset + 1;
    const std::uint32_t fields[7] = {size, headerSize, 1, 0, headerSize, 0, suffixOffset};
    for (std::uint32_t field : fields) {
        for (int k = 0; k < 4; ++k) {
            data += static_cast<char>((field >> (8 * k)) & 0xFF);
        }
    }
    data += target;
    data += std::string(2, '\0');
    return data;
}

void WriteFileBytes(const std::string& path, const std::string& content) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                          nullptr));
}

std::string SpecialFolder(int csidl) {
    char folder[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPathA(nullptr, folder, csidl, TRUE));
    return folder;
}

void RemoveFolder(const std::string& directory) {
    WIN32_FIND_DATAA entry;
    UniqueFind search(FindFirstFileA((directory + "\\*").c_str(), &entry));
    if (search) {
        do {
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                DeleteFileA((directory + "\\" + entry.cFileName).c_str());
            }
        } while (FindNextFileA(search.get(), &entry));
    }
    search.reset();
    RemoveDirectoryA(directory.c_str());
}

class DetectJavaHomeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        allUsers_ = SpecialFolder(CSIDL_COMMON_PROGRAMS) + "\\Java Development Kit";
        currentUser_ = SpecialFolder(CSIDL_PROGRAMS) + "\\Java Development Kit";
        RemoveFolder(allUsers_);
        RemoveFolder(currentUser_);
    }
    void TearDown() override {
        RemoveFolder(allUsers_);
        RemoveFolder(currentUser_);
    }

    void Place(const std::string& folder, const std::string& name, const std::string& target) {
        CreateDirectoryA(folder.c_str(), nullptr);
        WriteFileBytes(folder + "\\" + name, ShortcutTo(target));
    }

    Text Detect() {
        PathBoxOnly window;
        DetectJavaHome(window);
        EXPECT_EQ(window.replaced, 1) << "the path box is replaced once, also with the empty text";
        return window.path;
    }

    std::string allUsers_;
    std::string currentUser_;
};

TEST_F(DetectJavaHomeTest, TakesTheTargetOfJavaMissionControlBeforeBin) {
    const struct {
        const char* name;
        const char* target;
        const char* expected;
    } cases[] = {
        {"Java Mission Control.lnk", "C:\\Program Files\\Java\\jdk1.8.0_131\\bin\\jmc.exe",
         "C:\\Program Files\\Java\\jdk1.8.0_131"},
        {"Java Mission Control 5.5.lnk", "C:\\jdk\\bin\\jmc.exe", "C:\\jdk"},
        {"java mission control.lnk", "C:\\jdk\\bin\\jmc.exe", ""}, // the phrase is case-sensitive
        {"Java Mission Control.lnk", "D:\\binaries\\jdk\\bin\\app.exe", "D:"},
        {"Java Mission Control.lnk", "C:\\jdk\\BIN\\app.exe", ""},
        {"Java Mission Control.lnk", "C:\\jdk\\bin", "C:\\jdk"},
        // 中文 (GBK D6 D0 CE C4) in the target comes back byte for byte.
        {"Java Mission Control.lnk", "C:\\\xD6\xD0\xCE\xC4\\jdk\\bin\\jmc.exe",
         "C:\\\xD6\xD0\xCE\xC4\\jdk"},
    };
    for (const auto& c : cases) {
        Place(allUsers_, c.name, c.target);
        EXPECT_EQ(Detect(), c.expected) << c.name << " -> " << c.target;
        RemoveFolder(allUsers_);
    }
}

TEST_F(DetectJavaHomeTest, FindsNothingWithoutTheAllUsersShortcut) {
    EXPECT_EQ(Detect(), ""); // no folder at all

    Place(allUsers_, "Java Platform.lnk", "C:\\jdk\\bin\\java.exe");
    EXPECT_EQ(Detect(), ""); // no name with the phrase

    RemoveFolder(allUsers_);
    Place(currentUser_, "Java Mission Control.lnk", "C:\\jdk\\bin\\jmc.exe");
    EXPECT_EQ(Detect(), ""); // only the current user's Start menu has it
}

} // namespace
} // namespace kelvane
