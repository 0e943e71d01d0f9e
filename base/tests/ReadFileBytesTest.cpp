// How ReadFileBytes shares the file with other handles: readers are welcome, writers are not.
#include "base/Bytes.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/Handles.h"

namespace kelvane {
namespace {

class ReadFileSharingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char directory[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, directory), 0u);
        path_ = std::string(directory) + "kelvane-sharing-" +
                std::to_string(GetCurrentProcessId()) + ".bin";
        UniqueFile file(CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), "lnk", 3, &written, nullptr));
    }
    void TearDown() override { DeleteFileA(path_.c_str()); }

    UniqueFile OpenOther(DWORD access, DWORD share) const {
        return UniqueFile(CreateFileA(path_.c_str(), access, share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    std::string path_;
};

TEST_F(ReadFileSharingTest, ReadsWhileAnotherHandleOnlyReads) {
    UniqueFile other = OpenOther(GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(other);
    EXPECT_EQ(ReadFileBytes(path_), (ByteSeq{'l', 'n', 'k'}));
}

TEST_F(ReadFileSharingTest, GivesNothingWhileAnotherHandleMayWrite) {
    UniqueFile other = OpenOther(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(other);
    EXPECT_EQ(ReadFileBytes(path_), ByteSeq{});
}

TEST_F(ReadFileSharingTest, ReadsAChineseFileName) {
    // 中文.bin in GBK: the ANSI code page of the test prefix is 936.
    const std::string chinese = path_ + "\xD6\xD0\xCE\xC4.bin";
    ASSERT_TRUE(CopyFileA(path_.c_str(), chinese.c_str(), FALSE));
    EXPECT_EQ(ReadFileBytes(chinese), (ByteSeq{'l', 'n', 'k'}));
    DeleteFileA(chinese.c_str());
}

} // namespace
} // namespace kelvane
