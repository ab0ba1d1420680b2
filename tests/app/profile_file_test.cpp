#include "app/profile_file.h"

#include <gtest/gtest.h>

#include <clocale>

#include "app/safe_file.h"
#include "temp_home.h"
#include "tests/support/unreadable_paths.h"

namespace korvel {
namespace {

TEST(ProfileFileTest, ReadsValuesByTheWindowsRules) {
    const ProfileFile ini = ProfileFile::parse(
        "; comment=not a key\r\n"
        "[Config]\r\n"
        "  gagename  =   KQ 99  \r\n"
        "Quoted=\"  padded  \"\r\n"
        "Single='x'\r\n"
        "Unbalanced=\"x\r\n"
        "Twice=first\r\n"
        "twice=second\r\n"
        "Empty=\r\n"
        "no equals sign here\r\n"
        "Bare\r\n"
        "Bare=hidden by the bare line above\r\n"
        "[Other]\n"
        "Key=other\n"
        "[config]\n"
        "Late=from the second section of the same name\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"CONFIG", "GageName", "KQ 99"},     // names without regard to case, blanks trimmed
        {"config", "Quoted", "  padded  "},  // one pair of quotes removed, blanks inside kept
        {"config", "Single", "x"},
        {"config", "Unbalanced", "\"x"},
        {"config", "Twice", "first"},  // the first key of a name counts
        {"config", "Empty", ""},
        {"config", "Missing", "default"},
        {"config", "Late", "default"},  // the first section of a name counts
        {"Other", "key", "other"},      // LF line ends read alike
        {"Absent", "Key", "default"},
        {"config", "no equals sign here", "default"},  // a key without a value
        {"config", "bare", "default"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ini.getString(c.section, c.key, "default", 511), c.expected)
            << c.section << "/" << c.key;
    }
}

TEST(ProfileFileTest, CutsTextsToTheirLimit) {
    const ProfileFile ini = ProfileFile::parse("[A]\nName=ABCDEFGHIJ\n");
    EXPECT_EQ(ini.getString("A", "Name", "", 4), "ABCD");
    EXPECT_EQ(ini.getString("A", "Missing", "0123456789", 3), "012");
}

// An empty value gives the default; any other value its leading number, or 0.
TEST(ProfileFileTest, ReadsIntegersFromAnOptionalSignAndLeadingDigits) {
    const ProfileFile ini = ProfileFile::parse(
        "[N]\nPlain=12\nTrailing=7abc\nBlank=  3 \nSigned=-5\nPlus=+1\nText=abc\nEmpty=\n"
        "Huge=99999999999999\nLow=-99999999999999\nQuoted=\"-42\"\nSignOnly=-\nTwoSigns=--5\n"
        "SignBlank=- 5\nQuotedEmpty=\"\"\nBlanks=\"  \"\nBare\n");
    struct Case {
        const char* key;
        int expected;
    } cases[] = {
        {"Plain", 12},        {"Trailing", 7},
        {"Blank", 3},         {"Signed", -5},
        {"Plus", 1},          {"Text", 0},
        {"Empty", 9},         {"Missing", 9},
        {"Huge", 2147483647}, {"Low", -2147483647 - 1},
        {"Quoted", -42},      {"SignOnly", 0},
        {"TwoSigns", 0},      {"SignBlank", 0},
        {"QuotedEmpty", 9},   {"Blanks", 0},
        {"Bare", 9},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ini.getInt("N", c.key, 9), c.expected) << c.key;
    }
}

TEST(ProfileFileTest, ByteOrderMarkAndTurkishLocaleChangeNoName) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    // The Turkish locale by its Linux name, or by its Windows name.
    if (std::setlocale(LC_ALL, "tr_TR.UTF-8") == nullptr &&
        std::setlocale(LC_ALL, "Turkish_Turkey.1254") == nullptr) {
        GTEST_SKIP() << "the tr_TR.UTF-8 locale is not installed (tools/install-deps.sh makes it)";
    }
    struct Case {
        const char* text;
        const char* section;
        const char* key;
        int expected;
    } cases[] = {
        {"[CONFIG]\r\nShowFileTransferTabOnly=1\r\n", "CONFIG", "SHOWFILETRANSFERTABONLY", 1},
        {"[config]\r\nSHOWFILETRANSFERTABONLY=1\r\n", "CONFIG", "ShowFileTransferTabOnly", 1},
        {"[Language Definition]\r\nDEU=2\r\n", "LANGUAGE DEFINITION", "deu", 2},
        {"\xEF\xBB\xBF[CONFIG]\r\nDataLogger=0\r\n", "CONFIG", "DataLogger", 0},
        {"\xEF\xBB\xBF[CONFIG]\r\nUserVelocity=1\r\n", "config", "uservelocity", 1},
        // Only ASCII letters fold: a Latin-1 capital does not meet its small letter.
        {"[\xC4]\r\nKey=3\r\n", "\xE4", "Key", 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProfileFile::parse(c.text).getInt(c.section, c.key, 7), c.expected) << c.text;
    }
    std::setlocale(LC_ALL, previous.c_str());
}

TEST(ProfileFileTest, WritingKeepsEveryOtherLineAndReplacesTheKeyInPlace) {
    test::TempHome home;
    home.write("a.ini",
               "; settings\n[CONFIG]\nHostDirPath=old\nOther=1\n\n[Language]\nDefault=DEU\n"
               "  bare  \nLast=1\n");
    ASSERT_TRUE(writeProfileString(home.path("a.ini"), "config", "HostDirPath", "/data"));
    ASSERT_TRUE(writeProfileString(home.path("a.ini"), "Language", "BARE", "filled"));
    ASSERT_TRUE(writeProfileString(home.path("a.ini"), "Language", "Added", "yes"));
    ASSERT_TRUE(writeProfileString(home.path("a.ini"), "New", "Key", "v"));
    EXPECT_EQ(home.read("a.ini"),
              "; settings\r\n[CONFIG]\r\nHostDirPath=/data\r\nOther=1\r\n\r\n[Language]\r\n"
              "Default=DEU\r\nBARE=filled\r\nLast=1\r\nAdded=yes\r\n[New]\r\nKey=v\r\n");
}

TEST(ProfileFileTest, WritingCreatesTheFileAndReadsBack) {
    test::TempHome home;
    const std::string path = home.path("Settings.ini");
    ASSERT_TRUE(writeProfileString(path, "Language", "Default", "ENU"));
    ASSERT_TRUE(writeProfileString(path, "Language", "Default", "FRA"));
    EXPECT_EQ(home.read("Settings.ini"), "[Language]\r\nDefault=FRA\r\n");
    EXPECT_EQ(readProfileString(path, "LANGUAGE", "default", "ENU", 49), "FRA");
}

TEST(ProfileFileTest, FailedWriteLeavesTheOldFile) {
    test::TempHome home;
    EXPECT_FALSE(writeProfileString(home.path("missing-folder/x.ini"), "A", "B", "C"));
}

TEST(ProfileFileTest, UnreadableFileReadsAsMissingAndIsNeverReplaced) {
    namespace fs = std::filesystem;
    for (const auto& kind : test::unreadableKinds()) {
        SCOPED_TRACE(kind.name);
        test::TempHome home;
        const std::string path = home.path("Settings.ini");
        kind.make(path);
        const auto before = fs::symlink_status(path);
        EXPECT_EQ(readFileBytes(path), std::nullopt);
        EXPECT_EQ(readProfileString(path, "CONFIG", "HostDirPath", "none", 511), "none");
        EXPECT_FALSE(writeProfileString(path, "Language", "Default", "DEU"));
        EXPECT_EQ(fs::symlink_status(path).type(), before.type());
        EXPECT_EQ(fs::symlink_status(path).permissions(), before.permissions());
    }
}

}  // namespace
}  // namespace korvel
