#include "base/Bytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace kelvane {
namespace {

ByteSeq Sequence(int length) {
    ByteSeq bytes(static_cast<std::size_t>(length));
    for (int k = 0; k < length; ++k) {
        bytes[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(k + 1);
    }
    return bytes;
}

TEST(BytesCut, LeftAndMidClipToTheSequence) {
    const ByteSeq bytes = Sequence(76);
    EXPECT_EQ(BytesLength(bytes), 76);
    EXPECT_EQ(BytesLeft(bytes, 2), (ByteSeq{1, 2}));
    EXPECT_EQ(BytesLeft(bytes, 100), bytes);
    EXPECT_EQ(BytesLeft(bytes, 0), ByteSeq{});
    EXPECT_EQ(BytesLeft(bytes, -1), ByteSeq{});

    EXPECT_EQ(BytesMid(bytes, 100, 4), ByteSeq{});
    EXPECT_EQ(BytesMid(bytes, 77, 1), ByteSeq{});
    EXPECT_EQ(BytesMid(bytes, 75, 4), (ByteSeq{75, 76}));
    EXPECT_EQ(BytesMid(bytes, 76, 1), (ByteSeq{76}));
    EXPECT_EQ(BytesMid(bytes, 0, 2), (ByteSeq{1, 2})); // a start below 1 counts as 1
    EXPECT_EQ(BytesMid(bytes, -9, 2), (ByteSeq{1, 2}));
    EXPECT_EQ(BytesMid(bytes, 3, 0), ByteSeq{});
    EXPECT_EQ(BytesMid(bytes, 3, -4), ByteSeq{});
    EXPECT_EQ(BytesMid(bytes, 3, INT32_MAX).size(), 74u);
    EXPECT_EQ(BytesMid(ByteSeq{}, 1, 1), ByteSeq{});
    EXPECT_EQ(BytesMid(bytes, INT32_MAX, INT32_MAX), ByteSeq{});
}

TEST(BytesMake, BlankBytesAndPointerToBytes) {
    EXPECT_EQ(BlankBytes(3), (ByteSeq{0, 0, 0}));
    EXPECT_EQ(BlankBytes(0), ByteSeq{});
    EXPECT_EQ(BlankBytes(-3), ByteSeq{});

    const char memory[] = {'k', 0, 'v'};
    EXPECT_EQ(PointerToBytes(memory, 3), (ByteSeq{'k', 0, 'v'}));
    EXPECT_EQ(PointerToBytes(memory, 0), ByteSeq{});
    EXPECT_EQ(PointerToBytes(nullptr, 0), ByteSeq{});
}

TEST(GetBytesData, Code3ReadsLittleEndianWithMissingHighBytesZero) {
    const struct {
        ByteSeq bytes;
        std::int32_t expected;
    } cases[] = {
        {{0x34, 0x12}, 0x1234},
        {{}, 0},
        {{0xFF}, 255},
        {{0xFF, 0xFF}, 65535},
        {{0xFF, 0xFF, 0xFF}, 0xFFFFFF},
        {{0xFF, 0xFF, 0xFF, 0xFF}, -1},
        {{0x00, 0x00, 0x00, 0x80}, INT32_MIN},
        {{0x4C, 0x00, 0x00, 0x00, 0x99}, 76}, // only the first four count
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetBytesData<3>(c.bytes), c.expected) << ::testing::PrintToString(c.bytes);
    }
}

TEST(GetBytesData, Code10ReadsTheTextBeforeTheFirstZero) {
    EXPECT_EQ(GetBytesData<10>(ByteSeq{'L', 0, 0, 0}), "L");
    EXPECT_EQ(GetBytesData<10>(ByteSeq{'L', 'x'}), "Lx");
    EXPECT_EQ(GetBytesData<10>(ByteSeq{}), "");
}

class ReadFileBytesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ =
            std::filesystem::temp_directory_path() /
            ("kelvane-bytes-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory_);
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    std::string Write(const std::string& name, const ByteSeq& content) {
        const auto path = directory_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(content.data()),
                   static_cast<std::streamsize>(content.size()));
        return path.string();
    }

    std::filesystem::path directory_;
};

TEST_F(ReadFileBytesTest, ReadsTheWholeFileZerosIncluded) {
    ByteSeq content = Sequence(10000);
    content[5] = 0;
    EXPECT_EQ(ReadFileBytes(Write("data.bin", content)), content);
}

TEST_F(ReadFileBytesTest, GivesTheEmptySequenceWhenThereIsNothingToRead) {
    EXPECT_EQ(ReadFileBytes(Write("empty.bin", {})), ByteSeq{});
    EXPECT_EQ(ReadFileBytes(""), ByteSeq{});
    EXPECT_EQ(ReadFileBytes((directory_ / "missing.bin").string()), ByteSeq{});
    EXPECT_EQ(ReadFileBytes(directory_.string()), ByteSeq{}); // a directory
}

} // namespace
} // namespace kelvane
