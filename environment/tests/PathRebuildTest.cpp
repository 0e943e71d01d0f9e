#include "environment/PathRebuild.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace kelvane {
namespace {

const std::string kPrefix = "%JAVA_HOME%\\bin;%JAVA_HOME%\\jre\\bin;";

TEST(RebuildPath, PutsThePrefixBeforeTheEntriesThatDoNotMentionJava) {
    const struct {
        const char* oldPath;
        const char* kept; // what follows the prefix
    } cases[] = {
        // A dropped last entry leaves the separator of the entry before it.
        {"C:\\Windows\\system32;C:\\Program Files\\Java\\jdk1.7.0\\bin", "C:\\Windows\\system32;"},
        // Empty entries go; a trailing separator makes no entry, so C:\B is last.
        {"C:\\A;;C:\\B;", "C:\\A;C:\\B"},
        {";C:\\A", "C:\\A"},
        {"", ""},
        {";", ""},
        {";;;", ""},
        // The text of an earlier run comes back unchanged.
        {"%JAVA_HOME%\\bin;%JAVA_HOME%\\jre\\bin;C:\\A;C:\\B", "C:\\A;C:\\B"},
        {"%JAVA_HOME%\\bin;%JAVA_HOME%\\jre\\bin;C:\\A;", "C:\\A"},
        // Spaces are not empty.
        {"C:\\A; ;C:\\B", "C:\\A; ;C:\\B"},
        {" ", " "},
        // Any mix of case, and "java" inside a longer word.
        {"C:\\ProgramData\\Oracle\\Java\\javapath;C:\\A", "C:\\A"},
        {"D:\\JAVA\\bin;C:\\A", "C:\\A"},
        {"C:\\A;jAvA;C:\\B", "C:\\A;C:\\B"},
        {"C:\\Tools\\JavaScript;C:\\A", "C:\\A"},
        {"C:\\A;C:\\jav;C:\\ava", "C:\\A;C:\\jav;C:\\ava"},
        // The only byte match of "java" starts on the second byte of the character 0x8A 0x6A.
        {"\x8A\x6A\x61\x76\x61", "\x8A\x6A\x61\x76\x61"},
        {"C:\\A;\x8A\x6A\x61\x76\x61;C:\\B", "C:\\A;\x8A\x6A\x61\x76\x61;C:\\B"},
        // ...but a "java" right after a whole character is found.
        {"\x8A\x6A"
         "java;C:\\A",
         "C:\\A"},
        // The second byte of 0xC4 0x4A looks like 'J' and is not lower-cased into "java".
        {"\xC4\x4A"
         "ava;C:\\A",
         "\xC4\x4A"
         "ava;C:\\A"},
        // 0xB0 0x3B is one character: its second byte is no separator, so "C:\<B0 3B>java" is a
        // single entry, and it mentions java.
        {"C:\\\xB0;java;D:\\", "D:\\"},
        {"C:\\\xB0;x;D:\\", "C:\\\xB0;x;D:\\"},
        // Chinese entries are kept byte for byte (工具, 中文).
        {"D:\\\xB9\xA4\xBE\xDF;C:\\java;E:\\\xD6\xD0\xCE\xC4",
         "D:\\\xB9\xA4\xBE\xDF;E:\\\xD6\xD0\xCE\xC4"},
        // A lead byte without its second byte at the very end stays.
        {"C:\\A;B\x8A", "C:\\A;B\x8A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RebuildPath(c.oldPath), kPrefix + c.kept) << "old Path: " << c.oldPath;
    }
}

// 2,000 entries, 32,767 bytes together: a variable holds at most 32,767 characters. Tools
// that cut at 1,024 characters must not be copied.
TEST(RebuildPath, KeepsTheLongestPathWhole) {
    std::string oldPath;
    for (int i = 0; i < 2000; ++i) {
        oldPath += (i > 0 ? ";C:\\" : "C:\\") + std::to_string(i) + "\\\xB9\xA4\xBE\xDF\\b";
    }
    ASSERT_LT(oldPath.size(), 32767u);
    oldPath += std::string(32767 - oldPath.size(), 'x'); // the last entry makes up the rest
    ASSERT_EQ(oldPath.size(), 32767u);

    EXPECT_EQ(RebuildPath(oldPath), kPrefix + oldPath);
}

TEST(RebuildPath, DropsJavaEntriesFromTheMiddleOfALongPath) {
    std::string oldPath;
    std::string kept;
    for (int i = 0; i < 2000; ++i) {
        const std::string entry = "C:\\Tools\\" + std::to_string(i);
        const bool isJava = i % 7 == 3;
        oldPath += (i > 0 ? ";" : "") + (isJava ? entry + "\\Java\\bin" : entry);
        if (!isJava) {
            kept += (kept.empty() ? "" : ";") + entry;
        }
    }

    EXPECT_EQ(RebuildPath(oldPath), kPrefix + kept);
}

// Running the command twice must not keep changing Path: the second run may only drop the
// trailing separator that a dropped last entry left, and a third run changes nothing.
TEST(RebuildPath, SettlesWhenRunOnItsOwnResult) {
    const std::string pieces[] = {";",    ";",    "j",    "a",    "v",        "A",
                                  "J",    "V",    "x",    " ",    "\\",       "%",
                                  "java", "Java", "\x8A", "\xB0", "\xC4\x4A", "\xD6\xD0"};
    std::mt19937 random(20260211);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 16);
    for (int round = 0; round < 3000; ++round) {
        std::string oldPath;
        for (int n = length(random); n > 0; --n) {
            oldPath += pieces[pick(random)];
        }
        const Text first = RebuildPath(oldPath);
        const Text second = RebuildPath(first);
        const Text third = RebuildPath(second);
        ASSERT_TRUE(second == first || second + ";" == first)
            << "old Path: " << oldPath << "\nfirst: " << first << "\nsecond: " << second;
        ASSERT_EQ(third, second) << "old Path: " << oldPath;
    }
}

} // namespace
} // namespace kelvane
