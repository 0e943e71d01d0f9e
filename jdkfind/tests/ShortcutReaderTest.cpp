// The shortcut reader over bytes built field by field, and over files for the extension rule.
#include "jdkfind/ShortcutReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "SystemTexts.h"
#include "jdkfind/tests/LinkBytes.h"
#include "jdkfind/tests/ShortcutInfoPrinting.h"

namespace kelvane {
namespace {

using testing::LinkBytes;
namespace flag = testing;

// A record as the caller hands it over: an IconIndex of its own, which only a shortcut replaces.
constexpr std::int32_t kCallersIconIndex = 4242;

ShortcutInfo Parsed(const ByteSeq& data) {
    ShortcutInfo info;
    info.IconIndex = kCallersIconIndex;
    ParseShortcut(data, info);
    return info;
}

ShortcutInfo HeaderOnly(std::int32_t iconIndex = 0, Text showMode = texts::kShowNormal,
                        Text hotkey = {}) {
    ShortcutInfo info;
    info.IconIndex = iconIndex;
    info.ShowMode = std::move(showMode);
    info.Hotkey = std::move(hotkey);
    return info;
}

TEST(BinaryDigitsTest, ListsTheBitsFromBitZeroUpToTheHighestSetBit) {
    const struct {
        std::int32_t value;
        const char* digits;
    } cases[] = {
        {0, "0"},
        {1, "1"},
        {2, "01"},
        {6, "011"},
        {139, "11010001"},
        {0x9B, "11011001"},
        {INT_MAX, "1111111111111111111111111111111"},
        {-1, ""},
        {INT_MIN, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BinaryDigits(c.value), c.digits) << c.value;
    }
}

TEST(ShortcutHeaderTest, NamesTheHotkey) {
    const struct {
        std::uint8_t key;
        std::uint8_t modifiers;
        const char* name;
    } cases[] = {
        {0x74, 6, "Ctrl+Alt+F5"},
        {0x74, 0, "F5"},
        {0x7A, 7, "F11"},
        {0x70, 3, "Ctrl+Shift+F1"},
        {0x7F, 5, "Shift+Alt+F16"},
        {0x70, 1, "F1"},
        {0x41, 3, "Ctrl+Shift+A"},
        {0x5A, 5, "Shift+Alt+Z"},
        {0x30, 6, "Ctrl+Alt+0"},
        {0x39, 3, "Ctrl+Shift+9"},
        {0x41, 2, ""},
        {0x41, 0, ""},
        {0x41, 7, ""},
        {0x61, 3, ""},
        {0x40, 3, ""},
        {0x5B, 3, ""},
        {0x6F, 6, ""},
        {0x80, 6, ""},
        {0x90, 3, ""},
        {0x00, 0, ""},
    };
    for (const auto& c : cases) {
        const auto info = Parsed(LinkBytes().Header(0, 0, 1, c.key, c.modifiers).Bytes());
        EXPECT_EQ(info.Hotkey, c.name) << std::hex << int{c.key} << " mod " << int{c.modifiers};
    }
}

TEST(ShortcutHeaderTest, NamesTheShowModeByTheLowByteOfShowCommand) {
    const struct {
        std::uint32_t showCommand;
        const char* word;
    } cases[] = {
        {1, texts::kShowNormal},
        {3, texts::kShowMaximized},
        {7, texts::kShowMinimized},
        {0x0103, texts::kShowMaximized},
        {0xFFFFFF07, texts::kShowMinimized},
        {0, ""},
        {2, ""},
        {4, ""},
        {0x0101 - 1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parsed(LinkBytes().Header(0, 0, c.showCommand).Bytes()).ShowMode, c.word)
            << c.showCommand;
    }
}

struct LayoutCase {
    const char* name;
    ByteSeq data;
    ShortcutInfo expected;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.name;
}

class ShortcutLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ShortcutLayoutTest, ReadsTheFields) {
    EXPECT_EQ(Parsed(GetParam().data), GetParam().expected);
}

ShortcutInfo Local(Text target, Text workingDirectory = {}, Text relativePath = {},
                   Text description = {}, Text arguments = {}, Text iconLocation = {}) {
    ShortcutInfo info = HeaderOnly();
    info.TargetPath = std::move(target);
    info.WorkingDirectory = std::move(workingDirectory);
    info.RelativePath = std::move(relativePath);
    info.Description = std::move(description);
    info.Arguments = std::move(arguments);
    info.IconLocation = std::move(iconLocation);
    return info;
}

ShortcutInfo Fallback(Text workingDirectory, Text description, Text iconLocation) {
    ShortcutInfo info = HeaderOnly();
    info.WorkingDirectory = std::move(workingDirectory);
    info.Description = std::move(description);
    info.IconLocation = std::move(iconLocation);
    return info;
}

const std::int32_t kAllStrings = flag::kHasName | flag::kHasRelativePath | flag::kHasWorkingDir |
                                 flag::kHasArguments | flag::kHasIconLocation;
const char kJmc[] = "C:\\Program Files\\Java\\jdk1.8.0_131\\bin\\jmc.exe";

INSTANTIATE_TEST_SUITE_P(
    Cases, ShortcutLayoutTest,
    ::testing::Values(
        LayoutCase{"ShellMadeLocalProgram",
                   LinkBytes()
                       .Header(0x9B)
                       .IdList(0x14)
                       .LinkInfo(1, kJmc)
                       .String(u"..\\bin\\jmc.exe")
                       .String(u"C:\\Program Files\\Java\\jdk1.8.0_131\\bin")
                       .Bytes(),
                   Local(kJmc, "C:\\Program Files\\Java\\jdk1.8.0_131\\bin", "..\\bin\\jmc.exe")},
        LayoutCase{"LinkInfoWithoutIdListStartsAfterTheHeader",
                   LinkBytes()
                       .Header(flag::kHasLinkInfo | flag::kHasWorkingDir)
                       .LinkInfo(1, "C:\\a.exe")
                       .String(u"C:\\")
                       .Bytes(),
                   Local("C:\\a.exe", "C:\\")},
        LayoutCase{"FiveStringsInTheirOrder",
                   LinkBytes()
                       .Header(flag::kHasIdList | flag::kHasLinkInfo | kAllStrings)
                       .IdList(3)
                       .LinkInfo(1, "C:\\a.exe")
                       .String(u"name")
                       .String(u"relative")
                       .String(u"D:\\work")
                       .String(u"--x \u4E2D\u6587")
                       .String(u"C:\\icon.ico")
                       .Bytes(),
                   Local("C:\\a.exe", "D:\\work", "relative", "name", "--x \xD6\xD0\xCE\xC4",
                         "C:\\icon.ico")},
        LayoutCase{"StringsWithoutTheirFlagsAreNotRead",
                   LinkBytes()
                       .Header(flag::kHasLinkInfo | flag::kHasArguments)
                       .LinkInfo(1, "C:\\a.exe")
                       .String(u"-v")
                       .String(u"not announced")
                       .Bytes(),
                   Local("C:\\a.exe", {}, {}, {}, "-v")},
        LayoutCase{"ChineseTargetKeepsItsAnsiBytes",
                   LinkBytes()
                       .Header(flag::kHasLinkInfo)
                       .LinkInfo(1, "C:\\\xD6\xD0\xCE\xC4\\a.exe", "suffix")
                       .Bytes(),
                   Local("C:\\\xD6\xD0\xCE\xC4\\a.exe")},
        LayoutCase{"NetworkAndLocalLinkInfoGivesHeaderFieldsOnly",
                   LinkBytes()
                       .Header(flag::kHasLinkInfo | kAllStrings, -3, 3, 0x74, 6)
                       .LinkInfo(3, "C:\\a.exe")
                       .String(u"a")
                       .String(u"b")
                       .String(u"c")
                       .String(u"d")
                       .String(u"e")
                       .Bytes(),
                   HeaderOnly(-3, texts::kShowMaximized, "Ctrl+Alt+F5")},
        LayoutCase{"NetworkLinkInfoGivesHeaderFieldsOnly",
                   LinkBytes()
                       .Header(flag::kHasLinkInfo | flag::kHasName)
                       .LinkInfo(2, "C:\\a.exe")
                       .String(u"a")
                       .Bytes(),
                   HeaderOnly()},
        LayoutCase{"LinkFlagsOneGivesHeaderFieldsOnly",
                   LinkBytes()
                       .Header(flag::kHasIdList, 7)
                       .IdList(0)
                       .String(u"C:\\dir")
                       .String(u"icon")
                       .Bytes(),
                   HeaderOnly(7)},
        LayoutCase{"WithoutIdListAndLinkInfoAPathGoesToTheWorkingDirectory",
                   LinkBytes().Header(0).String(u"C:\\work").String(u"C:\\i.ico").Bytes(),
                   Fallback("C:\\work", {}, "C:\\i.ico")},
        LayoutCase{"WithoutIdListAndLinkInfoOtherTextGoesToTheDescription",
                   LinkBytes()
                       .Header(flag::kHasArguments | flag::kIsUnicode)
                       .String(u"C:/work")
                       .String(u"icon")
                       .Bytes(),
                   Fallback({}, "C:/work", "icon")},
        LayoutCase{"WithIdListButNoLinkInfoStringsFollowTheIdList",
                   LinkBytes()
                       .Header(flag::kHasIdList | flag::kHasName)
                       .IdList(5)
                       .String(u"x:\\y")
                       .String(u"z")
                       .Bytes(),
                   Fallback("x:\\y", {}, "z")},
        LayoutCase{
            "ZeroByteInTheTargetCutsIt",
            LinkBytes()
                .Header(flag::kHasLinkInfo)
                .LinkInfoFields(0x40, 1, 0x2D, 0x3C, std::string_view("C:\\a\0b.exe", 10), "")
                .Bytes(),
            Local("C:\\a")},
        LayoutCase{
            "TargetLengthComesFromTheTwoOffsets",
            LinkBytes()
                .Header(flag::kHasLinkInfo)
                .LinkInfoFields(0x40, 1, 0x2D, 0x31, "C:\\abcdef", "")
                .Bytes(),
            Local("C:\\")},
        LayoutCase{
            "SuffixNoFurtherThanOnePastTheBaseGivesNoTarget",
            LinkBytes()
                .Header(flag::kHasLinkInfo)
                .LinkInfoFields(0x40, 1, 0x2D, 0x2E, "C:\\a.exe", "")
                .Bytes(),
            Local("")},
        LayoutCase{
            "OffsetsFarOutsideTheDataGiveNoTarget",
            LinkBytes()
                .Header(flag::kHasLinkInfo)
                .LinkInfoFields(0x40, 1, 0x7FFFFFFF, 0x80000000, "C:\\a.exe", "")
                .Bytes(),
            Local("")},
        LayoutCase{
            "NegativeBaseOffsetReadsFromTheFirstByte",
            LinkBytes()
                .Header(flag::kHasLinkInfo)
                .LinkInfoFields(0x40, 1, 0xFFFFFF00, 0x7FFFFFFF, "C:\\a.exe", "")
                .Bytes(),
            Local("L")},
        LayoutCase{
            "StringCountPastTheEndGivesTheUnitsThatAreThere",
            LinkBytes()
                .Header(flag::kHasLinkInfo | flag::kHasName | flag::kHasArguments)
                .LinkInfo(1, "C:\\a.exe")
                .CountedString(500, u"abc")
                .Bytes(),
            Local("C:\\a.exe", {}, {}, "abc")},
        LayoutCase{"StringCutInsideACodeUnitDropsTheHalfUnit",
                   LinkBytes().Header(0).CountedString(3, u"ab\u4E2D").Cut(76 + 2 + 5).Bytes(),
                   Fallback({}, "ab", "")},
        LayoutCase{
            "StringsAreTakenUpToTheirFirstZeroUnit",
            LinkBytes()
                .Header(0)
                .CountedString(3, std::u16string_view(u"a\0b", 3))
                .String(u"c")
                .Bytes(),
            Fallback({}, "a", "c")},
        LayoutCase{
            "LinkInfoSizeCountsItsLowTwoBytesOnly",
            LinkBytes()
                .Header(flag::kHasLinkInfo | flag::kHasName)
                .LinkInfoFields(0x40, 1, 0x2D, 0x36, "C:\\a.exe", "")
                .String(u"after 0x40 bytes")
                .Patch32(76, 0x10040)
                .Bytes(),
            Local("C:\\a.exe", {}, {}, "after 0x40 bytes")},
        LayoutCase{"IdListSizeLeadsPastTheData",
                   LinkBytes().Header(flag::kHasIdList | flag::kHasLinkInfo).Fill(2, 0xFF).Bytes(),
                   HeaderOnly()},
        LayoutCase{
            "NegativeLinkFlagsGiveHeaderFieldsOnly",
            LinkBytes()
                .Header(0x80000000u | flag::kHasLinkInfo | flag::kHasName, 5, 7, 0x41, 3)
                .LinkInfo(1, "C:\\a.exe")
                .String(u"x")
                .Bytes(),
            HeaderOnly(5, texts::kShowMinimized, "Ctrl+Shift+A")}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(ShortcutSignatureTest, WantsTheByte0x4CFollowedByAZeroByteOrNothing) {
    const struct {
        const char* name;
        ByteSeq start;
        bool isShortcut;
    } cases[] = {
        {"empty", {}, false},
        {"L alone", {0x4C}, true},
        {"HeaderSize 76", {0x4C, 0, 0, 0}, true},
        {"L then a letter", {0x4C, 0x41}, false},
        {"L then a letter, then zeros", {0x4C, 0x6E, 0, 0}, false},
        {"small l", {0x6C, 0}, false},
        {"HeaderSize 77", {0x4D, 0, 0, 0}, false},
        {"zero first", {0, 0x4C}, false},
        {"L, zero, then anything", {0x4C, 0, 0xFF, 0xFF}, true},
    };
    for (const auto& c : cases) {
        ByteSeq data = c.start;
        // Enough of a header behind the first bytes to give a ShowMode when it is read.
        data.resize(std::max<std::size_t>(data.size(), 76), 0);
        data[60] = 1;
        const ShortcutInfo info = Parsed(c.start.empty() ? ByteSeq{} : data);
        EXPECT_EQ(info.ShowMode, c.isShortcut ? texts::kShowNormal : "") << c.name;
        EXPECT_EQ(info.IconIndex, c.isShortcut ? 0 : kCallersIconIndex) << c.name;
    }
}

// A file that ends inside the header or the LinkInfo: nothing past its end is read, the reading
// stops at the first single byte that is missing, and what was filled until then stays.
TEST(ShortcutTruncationTest, StopsWithWhatItHasFilled) {
    const ByteSeq whole =
        LinkBytes().Header(flag::kHasLinkInfo, -2, 3, 0x70, 6).LinkInfo(1, "C:\\a.exe").Bytes();
    const auto upTo = [](std::int32_t iconIndex, Text showMode, Text hotkey) {
        return HeaderOnly(iconIndex, std::move(showMode), std::move(hotkey));
    };
    const auto withTarget = [&](Text target) {
        ShortcutInfo info = upTo(-2, texts::kShowMaximized, "Ctrl+Alt+F1");
        info.TargetPath = std::move(target);
        return info;
    };
    ShortcutInfo notAShortcut;
    notAShortcut.IconIndex = kCallersIconIndex;
    const struct {
        std::size_t size;
        ShortcutInfo expected;
    } cases[] = {
        {0, notAShortcut},
        {1, upTo(0, "", "")},
        {58, upTo(0xFFFE, "", "")}, // the low two bytes of IconIndex -2, the rest taken as zeros
        {61, upTo(-2, texts::kShowMaximized, "")},
        {65, upTo(-2, texts::kShowMaximized, "")}, // a function key with no modifier byte
        {66, upTo(-2, texts::kShowMaximized, "Ctrl+Alt+F1")},
        {84, upTo(-2, texts::kShowMaximized, "Ctrl+Alt+F1")}, // no LinkInfo flags byte
        {85, upTo(-2, texts::kShowMaximized, "Ctrl+Alt+F1")}, // flags, but no offsets
        {whole.size() - 3, withTarget("C:\\a.ex")}, // the path runs into the end of the data
        {whole.size(), withTarget("C:\\a.exe")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parsed(LinkBytes(whole).Cut(c.size).Bytes()), c.expected) << c.size;
    }
}

// ReadShortcut on files: the extension rule, and what a failed read leaves.
class ReadShortcutFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ =
            std::filesystem::temp_directory_path() /
            ("kelvane-links-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory_);
        shortcut_ = LinkBytes()
                        .Header(flag::kHasLinkInfo | flag::kHasName, 9)
                        .LinkInfo(1, "C:\\a.exe")
                        .String(u"found")
                        .Bytes();
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }

    Text Write(const std::string& name) const {
        const Text path = In(name);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(shortcut_.data()),
                  static_cast<std::streamsize>(shortcut_.size()));
        return path;
    }
    // Joined as bytes: std::filesystem would take the GBK bytes of a name for another encoding.
    Text In(const std::string& name) const {
#ifdef _WIN32
        return directory_.string() + "\\" + name;
#else
        return directory_.string() + "/" + name;
#endif
    }

    static ShortcutInfo Stale() {
        ShortcutInfo info{"t", "w", "r", "d", "a", "s", "i", kCallersIconIndex, "h"};
        return info;
    }

    std::filesystem::path directory_;
    ByteSeq shortcut_;
};

TEST_F(ReadShortcutFileTest, AppendsTheExtensionUnlessTheNameEndsInLnk) {
    Write("a.lnk");
    Write("b.LNK");
    Write("clnk");
    Write("d.Lnk");
    Write("e.txt.lnk");
    const struct {
        Text given;
        Text used;
    } cases[] = {
        {In("a"), In("a.lnk")},   {In("a.lnk"), In("a.lnk")}, {In("b.LNK"), In("b.LNK")},
        {In("clnk"), In("clnk")}, {In("d.Lnk"), In("d.Lnk")}, {In("e.txt"), In("e.txt.lnk")},
    };
    for (const auto& c : cases) {
        Text path = c.given;
        ShortcutInfo info = Stale();
        ReadShortcut(path, info);
        EXPECT_EQ(path, c.used);
        EXPECT_EQ(info.Description, "found") << c.given;
        EXPECT_EQ(info.IconIndex, 9) << c.given;
        EXPECT_EQ(info.WorkingDirectory, "") << c.given;
    }
}

TEST_F(ReadShortcutFileTest, FailedReadsLeaveEmptyTextsAndTheCallersIconIndex) {
    const Text directory = In("sub");
    std::filesystem::create_directories(directory);
    const struct {
        Text given;
        Text used;
    } cases[] = {
        {"", ""},
        {In("missing"), In("missing.lnk")},
        {directory + "\\", directory + "\\.lnk"},
        // The second byte of a double-byte character is no letter of the extension.
        {In("x\x81L") + "NK", In("x\x81LNK.lnk")},
    };
    for (const auto& c : cases) {
        Text path = c.given;
        ShortcutInfo info = Stale();
        ReadShortcut(path, info);
        EXPECT_EQ(path, c.used);
        ShortcutInfo expected;
        expected.IconIndex = kCallersIconIndex;
        EXPECT_EQ(info, expected) << c.given;
    }
}

} // namespace
} // namespace kelvane
