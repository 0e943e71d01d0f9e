// Shortcuts made by Wine's shell, read back: each shell case is made afresh in a temporary folder.
#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <string>

#include "jdkfind/ShortcutReader.h"
#include "jdkfind/tests/ShellShortcut.h"
#include "jdkfind/tests/ShortcutInfoPrinting.h"

namespace kelvane {
namespace {

class ShellShortcutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        comReady_ = true;
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        directory_ = std::string(temp) + "kelvane-shell-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(directory_.c_str(), nullptr));
    }
    void TearDown() override {
        for (const auto& file : made_) {
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(directory_.c_str());
        if (comReady_) {
            CoUninitialize();
        }
    }

    bool comReady_ = false;
    std::string directory_;
    std::vector<std::string> made_;
};

TEST_F(ShellShortcutTest, ReadsWhatTheShellWrote) {
    for (const auto& shellCase : testing::ShellCases()) {
        // Without the extension: the reader appends it and hands the full name back.
        Text path = directory_ + "\\" + shellCase.name;
        const Text file = path + ".lnk";
        made_.push_back(file);
        ASSERT_TRUE(testing::MakeShellShortcut(file, shellCase.request)) << shellCase.name;
        ShortcutInfo info;
        ReadShortcut(path, info);
        EXPECT_EQ(path, file);
        EXPECT_EQ(info, shellCase.expected) << shellCase.name;
    }
}

} // namespace
} // namespace kelvane
