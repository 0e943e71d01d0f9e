#include "jdkfind/FileFinder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/Handles.h"

namespace kelvane {
namespace {

TextArray Sorted(TextArray texts) {
    std::sort(texts.begin(), texts.end());
    return texts;
}

void CreateFileWithText(const std::string& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    ASSERT_TRUE(file) << path;
}

// A fresh folder under the temporary directory, removed with everything in it afterwards.
class FileFinderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "kelvane-find-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    }
    void TearDown() override { RemoveTree(folder_); }

    static void RemoveTree(const std::string& directory) {
        WIN32_FIND_DATAA entry;
        UniqueFind search(FindFirstFileA((directory + "\\*").c_str(), &entry));
        if (search) {
            do {
                const std::string name = entry.cFileName;
                if (name == "." || name == "..") {
                    continue;
                }
                const std::string path = directory + "\\" + name;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(path);
                } else {
                    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(search.get(), &entry));
        }
        search.reset();
        RemoveDirectoryA(directory.c_str());
    }

    std::string folder_;
};

TEST_F(FileFinderTest, ListsMatchingFilesButNoDirectories) {
    CreateFileWithText(folder_ + "\\Java Mission Control.lnk");
    CreateFileWithText(folder_ + "\\hidden.lnk", FILE_ATTRIBUTE_HIDDEN);
    CreateFileWithText(folder_ + "\\system.lnk", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    CreateFileWithText(folder_ + "\\readme.txt");
    ASSERT_TRUE(CreateDirectoryA((folder_ + "\\x.lnk").c_str(), nullptr));

    const TextArray expected = {"Java Mission Control.lnk", "hidden.lnk", "system.lnk"};
    for (const std::string& directory : {folder_, folder_ + "\\"}) {
        TextArray names{"stale"};
        EXPECT_EQ(FindFiles(directory, "*.lnk", names), 3) << directory;
        EXPECT_EQ(Sorted(names), expected) << directory;

        TextArray paths;
        EXPECT_EQ(FindFiles(directory, "*.lnk", paths, true), 3);
        TextArray expectedPaths;
        for (const Text& name : expected) {
            expectedPaths.push_back(folder_ + "\\" + name);
        }
        EXPECT_EQ(Sorted(paths), expectedPaths) << directory;
    }
}

TEST_F(FileFinderTest, AMissingDirectoryEmptiesTheArray) {
    TextArray names{"old", "older"};
    EXPECT_EQ(FindFiles(folder_ + "\\missing", "*.lnk", names), 0);
    EXPECT_TRUE(names.empty());

    names = {"old"};
    EXPECT_EQ(FindFiles(folder_, "*.lnk", names), 0); // exists, but holds no match
    EXPECT_TRUE(names.empty());
}

TEST_F(FileFinderTest, ADirectoryEndingInADoubleByteCharacterGetsItsSeparator) {
    // 0x81 0x5C is one GBK character whose second byte is the backslash's code.
    const std::string directory = folder_ + "\\jdk\x81\x5C";
    ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr));
    CreateFileWithText(directory + "\\a.lnk");

    TextArray paths;
    EXPECT_EQ(FindFiles(directory, "*.lnk", paths, true), 1);
    EXPECT_EQ(paths, TextArray{directory + "\\a.lnk"});
}

// Counts the messages that reach it.
LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++*reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(FileFinderTest, HandlesPendingMessagesForEveryFileListed) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &CountingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KelvaneCountingWindow";
    RegisterClassA(&windowClass);
    UniqueWindow window(CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10,
                                        10, nullptr, nullptr, windowClass.hInstance, nullptr));
    ASSERT_TRUE(window);
    int handled = 0;
    SetWindowLongPtrA(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handled));

    TextArray names;
    PostMessageA(window.get(), WM_APP, 0, 0);
    FindFiles(folder_, "*.lnk", names); // nothing listed, so nothing handled
    EXPECT_EQ(handled, 0);

    CreateFileWithText(folder_ + "\\a.lnk");
    FindFiles(folder_, "*.lnk", names);
    EXPECT_EQ(handled, 1);

    // A quit message stays for the main loop.
    PostQuitMessage(3);
    FindFiles(folder_, "*.lnk", names);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
}

} // namespace
} // namespace kelvane
