#include "app/text_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "app/text_catalog.h"
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

// The language file may be UTF-8 (with or without a byte order mark) or, as saved by a Windows
// editor, Windows-1252; each text reads by the rule, and a long text is cut on a character.
TEST(TextTableTest, LanguageFileEncodings) {
    std::string longChinese;
    for (int i = 0; i < 300; ++i) {
        longChinese += "\xE6\xB5\x8B";
    }
    struct Case {
        std::string file;
        const char* name;
        const char* title;
    } cases[] = {
        {"[Language]\nSupported=DEU,\n[Language Definition]\nDEU=Deutsch\n"
         "[DEU]\nIDD_DIALOG_TITLE_TERMINAL=\xC3\x9C"
         "bertragung\n",
         "Deutsch",
         "\xC3\x9C"
         "bertragung"},
        {"\xEF\xBB\xBF[Language]\nSupported=DEU,\n[Language Definition]\nDEU=Fran\xC3\xA7"
         "ais\n"
         "[DEU]\nIDD_DIALOG_TITLE_TERMINAL=\xE2\x80\x9C"
         "x\xE2\x80\x9D\n",
         "Fran\xC3\xA7"
         "ais",
         "\xE2\x80\x9C"
         "x\xE2\x80\x9D"},
        {"[Language]\nSupported=DEU,\n[Language Definition]\nDEU=Fran\xE7"
         "ais\n"
         "[DEU]\nIDD_DIALOG_TITLE_TERMINAL=\xDC"
         "bertragung \x93x\x94\n",
         "Fran\xC3\xA7"
         "ais",
         "\xC3\x9C"
         "bertragung \xE2\x80\x9C"
         "x\xE2\x80\x9D"},
        {"[Language]\nSupported=DEU,\n[DEU]\nIDD_DIALOG_TITLE_TERMINAL=" + longChinese + "\n",
         "UNKNOWN", nullptr},
    };
    for (const auto& c : cases) {
        test::TempHome home;
        const TextTable table = loadTable(home, c.file, "DEU");
        EXPECT_EQ(table.languageNames(), std::vector<std::string>{c.name});
        const std::string title = table.caption(Screen::Terminal, "IDD_DIALOG_TITLE_TERMINAL");
        // A caption holds at most 254 characters.
        EXPECT_EQ(title, c.title ? c.title : longChinese.substr(0, 254 * 3));
    }
}

TEST(TextTableTest, KeysUnknownToTheProgramAreListed) {
    test::TempHome home;
    const TextTable table = loadTable(
        home, "[ENU]\nIDS_ERR_FILEOPN=typo\nids_err_fileopen=known\nIDC_STATIC_GAUGE=x\nIDOK=OK\n");
    EXPECT_EQ(table.unknownKeys(),
              (std::vector<std::string>{"IDS_ERR_FILEOPN", "IDC_STATIC_GAUGE"}));
}

// The translator's check of the shipped file: every language of the supported list defines
// every key the program knows with a text that is not blank, knows every key it defines, and
// takes as many arguments in each text as the English text does.
TEST(TextTableTest, ShippedLanguagesAreComplete) {
    const std::string source = KORVEL_SOURCE_DIR;
    const std::string languageIni = source + "/resources/Language.ini";
    test::TempHome home;
    TextTable english;
    english.load(languageIni, home.path("Settings.ini"), "KQ-77");
    ASSERT_EQ(english.languageMap().size(), 6u);
    // A key given twice in a section: only the first text counts, the second is a mistake.
    std::ifstream file(languageIni);
    std::set<std::string> seen;
    for (std::string line, section; std::getline(file, line);) {
        if (line.starts_with('[')) {
            section = line;
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            EXPECT_TRUE(seen.insert(section + line.substr(0, equals)).second) << section << line;
        }
    }
    auto argumentCount = [](const std::string& text) {
        std::size_t count = 0;
        for (auto at = text.find("%s"); at != std::string::npos; at = text.find("%s", at + 2)) {
            ++count;
        }
        return count;
    };
    for (const auto& [code, name] : english.languageMap()) {
        home.write("Settings.ini", "[Language]\r\nDefault=" + code + "\r\n");
        TextTable table;
        table.load(languageIni, home.path("Settings.ini"), "KQ-77");
        EXPECT_NE(name, "UNKNOWN");
        EXPECT_EQ(table.missingKeys(), std::vector<std::string>{}) << code;
        EXPECT_EQ(table.unknownKeys(), std::vector<std::string>{}) << code;
        const auto captions = table.allCaptions();
        const auto englishCaptions = english.allCaptions();
        for (std::size_t i = 0; i < captions.size(); ++i) {
            EXPECT_NE(captions[i].second.find_first_not_of(" \n"), std::string::npos)
                << code << " " << captions[i].first;
            EXPECT_EQ(argumentCount(captions[i].second), argumentCount(englishCaptions[i].second))
                << code << " " << captions[i].first;
        }
        const auto messages = table.allMessages();
        const auto englishMessages = english.allMessages();
        for (std::size_t i = 0; i < messages.size(); ++i) {
            EXPECT_EQ(argumentCount(messages[i].second), argumentCount(englishMessages[i].second))
                << code << " " << messages[i].first;
        }
    }
}

// The English section shows what the program shows without the file, except where the file
// does better: one text for the keys that stand in two slots, and the upgrade instructions
// written for this page (its Start Download button, the configured gauge name).
TEST(TextTableTest, ShippedEnglishMatchesTheBuiltinTexts) {
    const std::string source = KORVEL_SOURCE_DIR;
    test::TempHome home;
    TextTable shipped;
    shipped.load(source + "/resources/Language.ini", home.path("Settings.ini"), "KQ-55");
    TextTable builtin;
    builtin.load(home.path("none.ini"), home.path("Settings.ini"), "KQ-55");

    EXPECT_EQ(shipped.languageNames(),
              (std::vector<std::string>{"English", "Deutsch",
                                        "Fran\xC3\xA7"
                                        "ais",
                                        "Espa\xC3\xB1"
                                        "ol",
                                        "Portugu\xC3\xAA"
                                        "s (Brasil)",
                                        "\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87"}));
    EXPECT_EQ(shipped.linkFailureMessage(), builtin.linkFailureMessage());
    const std::string instructions = shipped.upgradeInstructions();
    EXPECT_EQ(instructions.find("%s"), std::string::npos);
    EXPECT_NE(instructions.find("click the Start Download button"), std::string::npos);
    EXPECT_EQ(instructions.find("KQ-77"), std::string::npos);
    EXPECT_NE(instructions.find("from the PC or the KQ-55"), std::string::npos);
    const auto shippedMessages = shipped.allMessages();
    const auto builtinMessages = builtin.allMessages();
    ASSERT_EQ(shippedMessages.size(), builtinMessages.size());
    for (std::size_t i = 0; i < shippedMessages.size(); ++i) {
        // The link-failure pair composes string 102 (checked above).
        if (shippedMessages[i].first.rfind("IDS_ERR_USBOPEN", 0) != 0) {
            EXPECT_EQ(shippedMessages[i], builtinMessages[i]);
        }
    }
    const auto shippedCaptions = shipped.allCaptions();
    const auto builtinCaptions = builtin.allCaptions();
    const std::map<std::string, std::string> twoSlotTexts = {
        {"IDC_BTN_HOST_DIR", "Select &Directory"},
        {"IDC_BTN_HOST_DIR_REFRESH", "&Refresh Directory"},
        {"IDOK", "&OK"}};
    for (std::size_t i = 0; i < shippedCaptions.size(); ++i) {
        const auto& [key, text] = shippedCaptions[i];
        if (twoSlotTexts.count(key) != 0) {
            EXPECT_EQ(text, twoSlotTexts.at(key));
        } else if (key.find("USER_INSTRUCTIONS") == std::string::npos) {
            EXPECT_EQ(shippedCaptions[i], builtinCaptions[i]);
        }
    }
}

// Two keys on one built-in number would show one key's text for the other.
TEST(TextTableTest, EveryBuiltinNumberBelongsToOneMessage) {
    std::map<int, std::string> owners;
    for (const MessageEntry& entry : messageEntries()) {
        if (entry.builtinId == 0)
            continue;
        const auto [it, added] = owners.emplace(entry.builtinId, entry.key);
        EXPECT_TRUE(added) << entry.key << " reuses " << entry.builtinId << " of " << it->second;
    }
}

}  // namespace
}  // namespace korvel
