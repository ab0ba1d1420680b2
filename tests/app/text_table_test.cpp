#include "app/text_table.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/text_format.h"
#include "temp_home.h"

namespace korvel {
namespace {

TextTable loadTable(const test::TempHome& home, const std::string& languageIni,
                    const std::string& code = "ENU", const std::string& gauge = "KQ-77") {
    home.write("Language.ini", languageIni);
    home.write("Settings.ini", "[Language]\r\nDefault=" + code + "\r\n");
    TextTable table;
    table.load(home.path("Language.ini"), home.path("Settings.ini"), gauge);
    return table;
}

TEST(TextTableTest, SupportedListWalk) {
    struct Case {
        const char* supported;
        std::vector<std::string> codes;
        std::vector<std::string> names;
    } cases[] = {
        {"ENU,", {"ENU"}, {"English"}},
        {"ENU", {}, {}},                                          // no comma follows the code
        {",ENU,,", {"ENU"}, {"English"}},                         // empty entries skipped
        {"ENU,DEU,FRA", {"ENU", "DEU"}, {"English", "Deutsch"}},  // after the last comma: no
        {"ENU,XXX,", {"ENU", "XXX"}, {"English", "UNKNOWN"}},
        {"DEU,ENG,ENU,", {"DEU", "ENG", "ENU"}, {"Deutsch", "English", "English"}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        test::TempHome home;
        const TextTable table =
            loadTable(home, std::string("[Language]\nSupported=") + c.supported +
                                "\n[Language Definition]\nENU=English\nDEU=Deutsch\nENG=English\n");
        EXPECT_EQ(table.languageCodes(), c.codes) << c.supported;
        EXPECT_EQ(table.languageNames(), c.names) << c.supported;
        EXPECT_EQ(table.languageMap().size(), c.codes.size()) << c.supported;
    }
}

TEST(TextTableTest, EmptyAndBlankTextsAreStillToBeTranslated) {
    test::TempHome home;
    const TextTable table =
        loadTable(home,
                  "[ENU]\nIDC_STATIC_GAGE=Gage\nIDC_STATIC_HOSTPC=   \nIDS_ERR_FILEOPEN=\n"
                  "IDS_ERR_FILESAVE=\"  \"\nIDS_ERR_USBSEND=Send failed\n");
    const std::vector<std::string> missing = table.missingKeys();
    const auto listed = [&](const char* key) {
        return std::find(missing.begin(), missing.end(), key) != missing.end();
    };
    for (const char* key : {"IDC_STATIC_HOSTPC", "IDS_ERR_FILEOPEN", "IDS_ERR_FILESAVE"}) {
        EXPECT_TRUE(listed(key)) << key;
    }
    for (const char* key : {"IDC_STATIC_GAGE", "IDS_ERR_USBSEND"}) {
        EXPECT_FALSE(listed(key)) << key;
    }
    EXPECT_EQ(missing.size(), captionSlots().size() + messageEntries().size() - 2);
}

TEST(TextTableTest, LinkFailureMessageBothForms) {
    test::TempHome home;
    const TextTable builtin =
        loadTable(home, "[ENU]\nIDS_ERR_USBOPEN=\nIDS_ERR_USBOPEN_TIP=ignored %s\n");
    EXPECT_EQ(
        builtin.linkFailureMessage(),
        "Error in initializing USB device.\n\nMake sure that KQ-77 is ON and is connnected to USB "
        "port of your PC. Unplug and replug USB cable if failure continues.");
    const TextTable translated =
        loadTable(home, "[DEU]\nIDS_ERR_USBOPEN=USB-Fehler.\nIDS_ERR_USBOPEN_TIP=Ist %s an?\n",
                  "DEU", "KQ-90");
    EXPECT_EQ(translated.linkFailureMessage(), "USB-Fehler.\n\nIst KQ-90 an?");
}

TEST(TextTableTest, HostileFormatsFromTheLanguageFile) {
    test::TempHome home;
    const TextTable table =
        loadTable(home,
                  "[ENU]\nIDS_ERR_USBOPEN=T\nIDS_ERR_USBOPEN_TIP=%d %n %s %s %% %x %\n"
                  "IDC_STATIC_USER_INSTRUCTIONS_PART4=%s %n\n");
    EXPECT_EQ(table.linkFailureMessage(), "T\n\n%d %n KQ-77 %s % %x %");
    // Part 4 takes no argument: its %s stays as text.
    EXPECT_EQ(table.upgradeInstructions(), "Static\nStatic\nStatic\n%s %n");
    EXPECT_EQ(formatWithArgument("%s%s%s%s", "A", 3), "AAA%s");
    EXPECT_EQ(formatWithArgument("100%", "A", 1), "100%");
}

TEST(TextTableTest, EmptyMessagesFallBackToBuiltinStrings) {
    test::TempHome home;
    const TextTable table =
        loadTable(home, "[ENU]\nIDS_ERR_FILEOPEN=\nIDS_MSG_FILEEXISTS=Ersetzen?\n");
    EXPECT_EQ(table.message("IDS_ERR_FILEOPEN"), "Error opening file");
    EXPECT_EQ(table.message("IDS_MSG_FILEEXISTS"), "Ersetzen?");
    EXPECT_EQ(table.message("IDS_MSG_FILEMERGE_MERGESUCCESS"),
              "Successfully created new merged file ");
    EXPECT_EQ(table.builtinString(101), "&About PalimarApp...");
}

TEST(TextTableTest, CaptionsBySlot) {
    test::TempHome home;
    const TextTable renamed =
        loadTable(home, "[ENU]\nIDD_DIALOG_TITLE_TERMINAL=Konsole\nIDOK=Fertig\n");
    EXPECT_EQ(renamed.caption(Screen::Terminal, "IDD_DIALOG_TITLE_TERMINAL"), "Konsole");
    // A key listed in two slots is read for both.
    EXPECT_EQ(renamed.caption(Screen::DataView, "IDOK"), "Fertig");
    EXPECT_EQ(renamed.caption(Screen::DirectoryChooser, "IDOK"), "Fertig");

    const TextTable defaults = loadTable(home, "[FRA]\nIDOK=Ferme\n", "ENU");
    EXPECT_EQ(defaults.caption(Screen::DataView, "IDOK"), "&Close");
    EXPECT_EQ(defaults.caption(Screen::DirectoryChooser, "IDOK"), "OK");
    EXPECT_EQ(defaults.caption(Screen::FileTransfer, "IDC_BTN_HOST_DIR"), "Select &Directory");
    EXPECT_EQ(defaults.caption(Screen::FileMerge, "IDC_BTN_HOST_DIR"), "Select Directory");
    EXPECT_EQ(defaults.caption(Screen::Preferences, "IDC_STATIC_LANGUAGE"), "Language");
}

TEST(TextTableTest, WithoutLanguageFileTheInstructionsAreTheFourDefaults) {
    TextTable table;
    table.load("/nonexistent/Language.ini", "/nonexistent/Settings.ini", "KQ-77");
    EXPECT_EQ(table.upgradeInstructions(), "Static\nStatic\nStatic\nStatic");
    EXPECT_EQ(table.caption(Screen::FileTransfer, "IDC_BTN_GUAGE_DIR"), "Refresh &Gage Files List");
    EXPECT_EQ(table.missingKeys().size(), captionSlots().size() + messageEntries().size());
}

// The shipped language file shows exactly what the program shows without it, and its
// instructions are the English built-in ones.
TEST(TextTableTest, ShippedLanguageFileMatchesTheBuiltinTexts) {
    const std::string source = KORVEL_SOURCE_DIR;
    test::TempHome home;
    TextTable shipped;
    shipped.load(source + "/resources/Language.ini", home.path("Settings.ini"), "KQ-77");
    TextTable builtin;
    builtin.load(home.path("none.ini"), home.path("Settings.ini"), "KQ-77");

    EXPECT_EQ(shipped.languageNames(), (std::vector<std::string>{"English", "Deutsch"}));
    EXPECT_EQ(shipped.linkFailureMessage(), builtin.linkFailureMessage());
    EXPECT_EQ(shipped.upgradeInstructions(), builtin.builtinString(108));
    // The link-failure pair composes string 102 (checked above); every other message is equal.
    const auto shippedMessages = shipped.allMessages();
    const auto builtinMessages = builtin.allMessages();
    ASSERT_EQ(shippedMessages.size(), builtinMessages.size());
    for (std::size_t i = 0; i < shippedMessages.size(); ++i) {
        if (shippedMessages[i].first.rfind("IDS_ERR_USBOPEN", 0) != 0) {
            EXPECT_EQ(shippedMessages[i], builtinMessages[i]);
        }
    }
    const auto shippedCaptions = shipped.allCaptions();
    const auto builtinCaptions = builtin.allCaptions();
    ASSERT_EQ(shippedCaptions.size(), builtinCaptions.size());
    for (std::size_t i = 0; i < shippedCaptions.size(); ++i) {
        if (shippedCaptions[i].first.find("USER_INSTRUCTIONS") == std::string::npos) {
            EXPECT_EQ(shippedCaptions[i], builtinCaptions[i]);
        }
    }
}

}  // namespace
}  // namespace korvel
