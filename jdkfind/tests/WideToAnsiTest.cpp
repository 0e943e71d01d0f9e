// WideToAnsi gives the same GBK bytes natively and under Wine with code page 936.
#include "jdkfind/WideToAnsi.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvane {
namespace {

ByteSeq Units(std::u16string_view text) {
    ByteSeq bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

TEST(WideToAnsiTest, ConvertsUpToTheFirstZeroUnit) {
    using namespace std::string_view_literals;
    const struct {
        const char* name;
        ByteSeq units;
        Text expected;
    } cases[] = {
        {"empty", Units(u"\0"sv), ""},
        {"nothing at all", {}, ""},
        {"ASCII", Units(u"C:\\Program Files\\Java\0"sv), "C:\\Program Files\\Java"},
        {"Chinese", Units(u"\u4E2D\u6587\\\u5DE5\u5177\0"sv), "\xD6\xD0\xCE\xC4\\\xB9\xA4\xBE\xDF"},
        {"full-width space and symbols", Units(u"\u3000\u00B7\uFF01\0"sv),
         "\xA1\xA1\xA1\xA4\xA3\xA1"},
        {"stops at the zero unit", Units(u"ab\0cd\0"sv), "ab"},
        {"no zero unit", Units(u"abc"sv), "abc"},
        {"odd last byte", {'a', 0, 'b'}, "a"},
        {"a character GBK lacks", Units(u"a\u0E01b\0"sv), "a?b"},
        {"a lone surrogate",
         Units(u"a\xD800"
               u"b\0"sv),
         "a?b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WideToAnsi(c.units), c.expected) << c.name;
    }
}

} // namespace
} // namespace kelvane
