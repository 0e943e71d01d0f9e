#include "jdkfind/TextBefore.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(TextBefore, CutsBeforeTheFirstMarker) {
    const struct {
        const char* text;
        const char* marker;
        std::optional<std::int32_t> start;
        std::optional<bool> ignoreCase;
        const char* expected;
    } cases[] = {
        {"C:\\Program Files\\Java\\jdk1.8.0_131\\bin\\jmc.exe",
         "\\bin",
         {},
         {},
         "C:\\Program Files\\Java\\jdk1.8.0_131"},
        {"D:\\binaries\\jdk\\bin\\app.exe", "\\bin", {}, {}, "D:"}, // inside a longer name too
        {"C:\\jdk\\BIN\\app.exe", "\\bin", {}, {}, ""},             // case-sensitive
        {"C:\\jdk\\BIN\\app.exe", "\\bin", {}, true, "C:\\jdk"},
        {"C:\\jdk\\bin", "\\bin", {}, {}, "C:\\jdk"},
        {"\\bin\\x", "\\bin", {}, {}, ""}, // the text begins with the marker
        {"C:\\jdk\\bin", "", {}, {}, ""},  // empty marker
        {"", "\\bin", {}, {}, ""},
        {"C:\\a\\bin\\b\\bin", "\\bin", 6, {}, "C:\\a\\bin\\b"}, // cut from the start, not start
        {"C:\\a\\bin", "\\bin", 0, {}, "C:\\a"},                 // 0 counts as 1
        {"C:\\a\\bin", "\\bin", -3, {}, "C:\\a"},
        {"C:\\a\\bin", "\\bin", 9, {}, ""}, // start past the end
        // 0x95 0x5C is one character: its second byte is no backslash.
        {"C:\\\x95\\bin\\x", "\\bin", {}, {}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextBefore(c.text, c.marker, c.start, c.ignoreCase), c.expected)
            << c.text << " / " << c.marker;
    }
}

} // namespace
} // namespace kelvane
