#include "base/Text.h"

#include <gtest/gtest.h>

#include <optional>

namespace kelvane {
namespace {

// GBK bytes used below: 0xD6 0xD0 is one character (中); 0x8A 0x6A is a character whose second
// byte is the ASCII code of 'j'; 0xC4 0x4A one whose second byte is 'J'; 0xB0 0x3B one whose
// second byte is ';'.

TEST(TextCut, LeftRightMidClipToTheText) {
    EXPECT_EQ(TextLeft("abcdef", 2), "ab");
    EXPECT_EQ(TextLeft("abc", 10), "abc");
    EXPECT_EQ(TextLeft("abc", 0), "");
    EXPECT_EQ(TextLeft("abc", -5), "");
    EXPECT_EQ(TextLeft("\xD6\xD0x", 1), "\xD6"); // may cut a character in two

    EXPECT_EQ(TextRight("abcdef", 2), "ef");
    EXPECT_EQ(TextRight("abc", 10), "abc");
    EXPECT_EQ(TextRight("abc", 0), "");
    EXPECT_EQ(TextRight("abc", -1), "");

    EXPECT_EQ(TextMid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(TextMid("abcdef", 5, 10), "ef");
    EXPECT_EQ(TextMid("abcdef", 6, 1), "f");
    EXPECT_EQ(TextMid("abcdef", 7, 1), "");
    EXPECT_EQ(TextMid("abcdef", 0, 3), "");
    EXPECT_EQ(TextMid("abcdef", -1, 3), "");
    EXPECT_EQ(TextMid("abcdef", 1, 0), "");
    EXPECT_EQ(TextMid("", 1, 1), "");
}

TEST(FindText, GivesTheFirstMatchOnACharacterBoundary) {
    const struct {
        const char* text;
        const char* pattern;
        std::optional<std::int32_t> start;
        std::optional<bool> ignoreCase;
        std::int32_t expected;
    } cases[] = {
        {"hello java", "java", {}, {}, 7},
        {"abcabc", "bc", {}, {}, 2},
        {"abcabc", "bc", 3, {}, 5}, // counted from the text's start, not from start
        {"abcabc", "bc", 0, {}, 2}, // a start below 1 counts as 1
        {"abcabc", "bc", -7, {}, 2},
        {"abcabc", "c", 6, {}, 6},
        {"abcabc", "c", 7, {}, -1}, // a start past the last byte finds nothing
        {"abc", "abcd", {}, {}, -1},
        {"abc", "x", {}, {}, -1},
        {"\x8A\x6A\x61\x76\x61", "java", {}, {}, -1}, // the only byte match starts inside 0x8A 0x6A
        {"\x8A\x6A"
         "java",
         "java",
         {},
         {},
         3},
        {"\xD6\xD0\xD6\xD0", "\xD0\xD6", {}, {}, -1}, // would straddle two characters
        // The walk takes the byte at start as the first byte of a character, even a second byte.
        {"\xD6\xD0\xD6\xD0", "\xD6\xD0", 3, {}, 3},
        {"\xD6\xD0\xD6\xD0", "\xD6\xD0", 2, {}, -1},
        {"a\xD6\xD0", "\xD0", 3, {}, 3},
        {"JaVa", "java", {}, {}, -1},
        {"JaVa", "java", {}, true, 1},
        {"x\xC4\x4A"
         "AVA",
         "java",
         {},
         true,
         -1},                                   // 0x4A inside a character
        {"\xD6\xD0", "\xF6\xF0", {}, true, -1}, // only ASCII letters fold
        {"abc", "", {}, {}, 1},                 // the empty pattern: 1 when there is text
        {"abc", "", 3, {}, 1},
        {"abc", "", 4, {}, -1},
        {"", "", {}, {}, -1},
        {"", "a", {}, {}, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindText(c.text, c.pattern, c.start, c.ignoreCase), c.expected)
            << "text=" << ::testing::PrintToString(std::string(c.text))
            << " pattern=" << ::testing::PrintToString(std::string(c.pattern));
    }
}

TEST(ToLowerCase, LowersAsciiCapitalsOnly) {
    EXPECT_EQ(ToLowerCase("JAVA"), "java");
    EXPECT_EQ(ToLowerCase("C:\\Program Files\\Java"), "c:\\program files\\java");
    EXPECT_EQ(ToLowerCase("\xC4\x4A"
                          "AVA"),
              "\xC4\x4A"
              "ava");                               // second byte 0x4A stays
    EXPECT_EQ(ToLowerCase("\xA3\xC1"), "\xA3\xC1"); // full-width capital A stays
    EXPECT_EQ(ToLowerCase("AB\xC4"), "ab\xC4");     // dangling lead byte
    EXPECT_EQ(ToLowerCase("@[`{"), "@[`{");
    EXPECT_EQ(ToLowerCase(""), "");
}

TEST(TrimSpaces, RemovesAsciiAndFullWidthSpacesAtBothEnds) {
    const struct {
        std::string text;
        std::string expected;
    } cases[] = {
        {"  a b  ", "a b"},
        {"\xA1\xA1 a \xA1\xA1", "a"},
        {" \xA1\xA1\xA1\xA1  ", ""},
        {std::string(512, ' '), ""},
        {"", ""},
        {"\ta\t", "\ta\t"},               // tabs stay
        {"\r\na\r\n ", "\r\na\r\n"},      // line breaks stay
        {"\xB0\xA1\xA1", "\xB0\xA1"},     // the A1 after 0xB0 0xA1 is a lone lead byte
        {"\xB0\xA1\xA1\xA1", "\xB0\xA1"}, // 0xB0 0xA1 then a full-width space
        {"\xA1\xB0\xA1\xA1", "\xA1\xB0"}, // 0xA1 0xB0 is a character, not a space
        {"ab\xD6", "ab"},                 // lone lead byte at the end is dropped
        {"\xD6", ""},
        {"a \xD6", "a "}, // the space before the lone byte is not at the end
        {"  \xD6\xD0  ", "\xD6\xD0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrimSpaces(c.text), c.expected) << ::testing::PrintToString(c.text);
    }
}

TEST(SplitText, CutsAtEverySeparatorButMakesNoEmptyLastPiece) {
    const struct {
        std::string text;
        std::string separator;
        TextArray expected;
    } cases[] = {
        {";A;;B;", ";", {"", "A", "", "B"}},
        {";", ";", {""}},
        {";;", ";", {"", ""}},
        {"", ";", {}},
        {"A", ";", {"A"}},
        {"A;B", ";", {"A", "B"}},
        {"A;B", "", {"A;B"}},
        {"\xB0\x3B;x", ";", {"\xB0\x3B", "x"}}, // 0x3B as a second byte is no separator
        {"a<>b<><>c", "<>", {"a", "b", "", "c"}},
        {"ab\xB0", ";", {"ab\xB0"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitText(c.text, c.separator), c.expected) << ::testing::PrintToString(c.text);
    }
}

TEST(MakeText, BlankTextAndCharFromCode) {
    EXPECT_EQ(BlankText(3), "   ");
    EXPECT_EQ(BlankText(0), "");
    EXPECT_EQ(BlankText(-2), "");
    EXPECT_EQ(BlankText(512).size(), 512u);

    EXPECT_EQ(CharFromCode(65), "A");
    EXPECT_EQ(CharFromCode(255), "\xFF");
    EXPECT_EQ(CharFromCode(0), "");
}

TEST(ToText, FormatsIntegersRealsAndBytes) {
    EXPECT_EQ(ToText(0), "0");
    EXPECT_EQ(ToText(-42), "-42");
    EXPECT_EQ(ToText(INT32_MIN), "-2147483648");

    EXPECT_EQ(ToText(5.0), "5");
    EXPECT_EQ(ToText(1.0), "1");
    EXPECT_EQ(ToText(-0.5), "-0.5");
    EXPECT_EQ(ToText(0.1), "0.1");
    EXPECT_EQ(ToText(1.0 / 3.0), "0.3333333333333");
    EXPECT_EQ(ToText(1e20), "1e+20");
    EXPECT_EQ(ToText(1234567890123.0), "1234567890123");
    EXPECT_EQ(ToText(12345678901234.0), "1.234567890123e+13");

    EXPECT_EQ(ToText(ByteSeq{'a', 'b', 0, 'c'}), "ab");
    EXPECT_EQ(ToText(ByteSeq{'a', 'b', 'c'}), "abc");
    EXPECT_EQ(ToText(ByteSeq{}), "");
    EXPECT_EQ(ToText(ByteSeq{0, 'a'}), "");
}

} // namespace
} // namespace kelvane
