#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <filesystem>

#include "app/profile_file.h"
#include "app/ui/preferences_page.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"

namespace korvel {
namespace {

const char* const kThreeLanguages =
    "[Language]\r\nSupported=ENU,DEU,FRA,\r\n"
    "[Language Definition]\r\nENU=English\r\nDEU=Deutsch\r\nFRA=Francais\r\n"
    "[DEU]\r\nIDC_STATIC_LANGUAGE=Sprache\r\n";

TEST(PreferencesPageTest, InitialSelection) {
    struct Case {
        const char* languageIni;
        const char* chosenCode;  // [Language] Default in Settings.ini, nullptr for none
        int expectedIndex;
    } cases[] = {
        {kThreeLanguages, nullptr, 0},
        {kThreeLanguages, "FRA", 2},
        {kThreeLanguages, "XYZ", 0},  // not in the map
        // The last entry whose name matches, without regard to case.
        {"[Language]\r\nSupported=ENU,DEU,GER,\r\n[Language Definition]\r\nENU=English\r\n"
         "DEU=Deutsch\r\nGER=DEUTSCH\r\n",
         "DEU", 2},
        {"[Language]\r\nSupported=\r\n", nullptr, -1},  // an empty list has no selection
    };
    for (const Case& c : cases) {
        test::PageEnvironment environment;
        environment.write("work/Language.ini", c.languageIni);
        if (c.chosenCode) {
            environment.write("config/Korvel/Settings.ini",
                              std::string("[Language]\r\nDefault=") + c.chosenCode + "\r\n");
        }
        CPreferencesPage page(environment.start());
        page.ensureInitialised();
        EXPECT_EQ(page.languageList()->currentIndex(), c.expectedIndex)
            << c.languageIni << " / " << (c.chosenCode ? c.chosenCode : "none");
    }
}

TEST(PreferencesPageTest, ChoiceIsWrittenAtOnceAndTakesEffectAtTheNextStart) {
    test::PageEnvironment environment;
    environment.write("work/Language.ini", kThreeLanguages);
    const PalimarApp& app = environment.start();
    CPreferencesPage page(app);
    test::RecordingVoice voice;
    page.setVoice(&voice);
    page.ensureInitialised();
    const std::string settings = app.settingsFile();

    emit page.languageList()->activated(1);
    EXPECT_EQ(readProfileString(settings, "Language", "Default", "", 49), "DEU");
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0],
              (test::Said{MessageKind::Notice,
                          "Please shutdown and restart the application for language selection "
                          "changes to take effect"}));

    emit page.languageList()->activated(2);  // a second choice overwrites the first
    EXPECT_EQ(readProfileString(settings, "Language", "Default", "", 49), "FRA");
    EXPECT_EQ(voice.said.size(), 2u);
    // The running program keeps its texts.
    EXPECT_EQ(app.texts().languageCode(), "ENU");
    EXPECT_EQ(page.title(), "Preferences");

    PalimarApp restarted;
    SystemFolders folders;
    folders.documents = environment.path("docs");
    folders.settings = environment.path("config");
    restarted.startup(environment.path("work"), folders);
    EXPECT_EQ(restarted.texts().languageCode(), "FRA");

    // Typing in the box picks a listed language, and nothing else.
    QTest::keyClicks(page.languageList(), "De");
    EXPECT_EQ(page.languageList()->currentText(), "Deutsch");
    EXPECT_EQ(readProfileString(settings, "Language", "Default", "", 49), "DEU");
    QTest::keyClicks(page.languageList(), "Klingon");
    EXPECT_EQ(page.languageList()->currentText(), "Deutsch");
    EXPECT_EQ(voice.said.size(), 3u);
}

TEST(PreferencesPageTest, UnreadableSettingsAreKeptAndTheFailedChoiceIsReported) {
    test::PageEnvironment environment;
    environment.write("work/Language.ini", kThreeLanguages);
    environment.makeFolder("config/Korvel/Settings.ini");
    const PalimarApp& app = environment.start();
    CPreferencesPage page(app);
    test::RecordingVoice voice;
    page.setVoice(&voice);
    page.ensureInitialised();

    emit page.languageList()->activated(1);
    EXPECT_EQ(voice.said, (std::vector<test::Said>{
                              {MessageKind::Error, "Error saving file - " + app.settingsFile()}}));
    EXPECT_TRUE(std::filesystem::is_directory(app.settingsFile()));
}

TEST(PreferencesPageTest, UnknownNameFallsBackToEnglishCode) {
    test::PageEnvironment environment;
    environment.write("work/Language.ini", kThreeLanguages);
    const PalimarApp& app = environment.start();
    EXPECT_EQ(languageCodeOf(app.texts(), "deutsch"), "DEU");
    EXPECT_EQ(languageCodeOf(app.texts(), "Klingon"), "ENU");
}

}  // namespace
}  // namespace korvel
