// The checked-in corpus: shortcuts made by Wine's shell, and hand-built files for the corners of
// the format, read through ReadShortcut from disk in every build.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "SystemTexts.h"
#include "jdkfind/ShortcutReader.h"
#include "jdkfind/tests/ShellCases.h"
#include "jdkfind/tests/ShortcutInfoPrinting.h"

namespace kelvane {
namespace {

// The corpus folder, as the build under test names it (a drive path under Wine).
Text CorpusFile(const char* folder, const char* name) {
    return Text(KELVANE_SHORTCUT_CORPUS) + "/" + folder + "/" + name + ".lnk";
}

TEST(ShortcutCorpusTest, ShellMadeShortcuts) {
    for (const auto& shellCase : testing::ShellCases()) {
        Text path = CorpusFile("shell", shellCase.name);
        ShortcutInfo info;
        ReadShortcut(path, info);
        EXPECT_EQ(info, shellCase.expected) << shellCase.name;
    }
}

// The hand-built files of corpus/make-edge-corpus, each named after what it holds.
TEST(ShortcutCorpusTest, HandBuiltFiles) {
    ShortcutInfo headerOnly;
    headerOnly.ShowMode = texts::kShowNormal;
    headerOnly.IconIndex = 5;
    headerOnly.Hotkey = "Ctrl+Alt+F5";

    ShortcutInfo untouched;
    untouched.IconIndex = 77;

    ShortcutInfo fallback = headerOnly;
    fallback.WorkingDirectory = "C:\\work";
    fallback.IconLocation = "C:\\icon.ico";

    ShortcutInfo fallbackDescription = headerOnly;
    fallbackDescription.Description = "just a note";
    fallbackDescription.IconLocation = "icon";

    ShortcutInfo endsInsideHeader;
    endsInsideHeader.IconIndex = 5;

    ShortcutInfo zeroInTarget = headerOnly;
    zeroInTarget.TargetPath = "C:\\jdk";

    ShortcutInfo countPastEnd = headerOnly;
    countPastEnd.TargetPath = "C:\\jdk\\bin\\jmc.exe";
    countPastEnd.Description = "cut short";

    const struct {
        const char* name;
        ShortcutInfo expected;
    } cases[] = {
        {"link-flags-exactly-1", headerOnly},
        {"link-info-flags-3", headerOnly},
        {"no-id-list-no-link-info", fallback},
        {"no-id-list-no-link-info-no-path", fallbackDescription},
        {"zero-byte-in-target", zeroInTarget},
        {"string-count-past-end", countPastEnd},
        {"0x4c-then-letter", untouched},
        {"negative-link-flags", headerOnly},
        {"ends-inside-header", endsInsideHeader},
    };
    for (const auto& c : cases) {
        Text path = CorpusFile("edge", c.name);
        ShortcutInfo info;
        info.IconIndex = 77;
        ReadShortcut(path, info);
        EXPECT_EQ(info, c.expected) << c.name;
    }
}

} // namespace
} // namespace kelvane
