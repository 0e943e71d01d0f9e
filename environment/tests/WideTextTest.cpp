#include "environment/WideText.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvane {
namespace {

TEST(WideToAnsi, ConvertsAndTellsWhatWasLost) {
    struct Case {
        const char* name;
        std::wstring wide;
        Text ansi;
        bool lost;
    };
    const Case cases[] = {
        {"empty", L"", "", false},
        {"ASCII", L"C:\\Program Files\\Java", "C:\\Program Files\\Java", false},
        {"Chinese", L"\u4E2D\u6587", "\xD6\xD0\xCE\xC4", false},
        {"full-width space", L"\u3000", "\xA1\xA1", false},
        {"Thai, which GBK lacks", L"a\u0E01b", "a?b", true},
        // Each half of a surrogate pair becomes a default character of its own.
        {"outside the BMP", L"x\U0001F600", "x??", true},
        {"Hangul", L"\uD55C", "?", true},
        {"stops at a zero", std::wstring(L"ab\0cd", 5), "ab", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool lost = !c.lost;
        EXPECT_EQ(WideToAnsi(c.wide, &lost), c.ansi);
        EXPECT_EQ(lost, c.lost);
        EXPECT_EQ(WideToAnsi(c.wide), c.ansi);
    }
}

TEST(AnsiToWide, ReadsGbk) {
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(AnsiToWide("Path"), L"Path");
    EXPECT_EQ(AnsiToWide("\xD6\xD0\xCE\xC4\\bin"), L"\u4E2D\u6587\\bin");
    EXPECT_EQ(WideToAnsi(AnsiToWide("\xD6\xD0\xCE\xC4")), "\xD6\xD0\xCE\xC4");
}

} // namespace
} // namespace kelvane
