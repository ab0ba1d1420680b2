#include <gtest/gtest.h>

#include "app/folder_chain.h"
#include "app/palimar_app.h"
#include "app/profile_file.h"
#include "temp_home.h"
#include "tests/support/unreadable_paths.h"

namespace korvel {
namespace {

TEST(StartupTest, DefaultsWithoutAnyIniFile) {
    test::TempHome home;
    PalimarApp app;
    app.startup(home.root(), home.folders());
    EXPECT_EQ(app.gaugeName(), "KQ-77");
    EXPECT_EQ(app.appTitle(), "Korvel");
    EXPECT_EQ(app.logoPath(), "");
    EXPECT_EQ(app.gaugeModel(0), "KQ-77");
    EXPECT_EQ(app.gaugeModel(3), "");
    EXPECT_FALSE(app.debugLog());
    EXPECT_FALSE(app.transferOnly());
    EXPECT_FALSE(app.userVelocityPage());
    EXPECT_TRUE(app.dataLoggerPages());
    EXPECT_FALSE(app.legacySettingsLayout());
    EXPECT_EQ(app.settingsFolder(), home.path(".config/Korvel"));
    EXPECT_EQ(app.settingsFile(), home.path(".config/Korvel/Settings.ini"));
    EXPECT_EQ(app.pcDataFolder(), home.path("Documents/Korvel/data"));
    EXPECT_TRUE(isDirectory(app.pcDataFolder()));
    EXPECT_TRUE(isDirectory(app.settingsFolder()));
    EXPECT_EQ(app.texts().languageCode(), "ENU");
}

TEST(StartupTest, UnreadableIniFilesGiveTheDefaultsAndSettingsAreNotReplaced) {
    for (const auto& kind : test::unreadableKinds()) {
        SCOPED_TRACE(kind.name);
        test::TempHome home;
        std::filesystem::create_directories(home.path(".config/Korvel"));
        for (const char* name : {"AppConfig.ini", "Language.ini", ".config/Korvel/Settings.ini"}) {
            kind.make(home.path(name));
        }
        PalimarApp app;
        app.startup(home.root(), home.folders());
        EXPECT_EQ(app.gaugeName(), "KQ-77");
        EXPECT_EQ(app.pcDataFolder(), home.path("Documents/Korvel/data"));
        EXPECT_EQ(app.texts().languageCode(), "ENU");
        EXPECT_FALSE(app.writeLanguage("DEU"));
        EXPECT_FALSE(app.writePcDataFolder("/elsewhere"));
    }
}

TEST(StartupTest, ReadsTheProductConfiguration) {
    test::TempHome home;
    home.write(
        "AppConfig.ini",
        "[CONFIG]\r\nGageName=KQ-99 PLUS\r\nAppTitle=Inspector\r\nLogoBitmapFileName=logo.bmp\r\n"
        "GageModel2=KQ-88\r\nDataLogger=2\r\nShowFileTransferTabOnly=2\r\nUserVelocity=1\r\n"
        "[log]\r\ndebug=1\r\n");
    PalimarApp app;
    app.startup(home.root(), home.folders());
    EXPECT_EQ(app.gaugeName(), "KQ-99 PLUS");
    EXPECT_EQ(app.appTitle(), "Inspector");
    EXPECT_EQ(app.logoPath(), home.path("logo.bmp"));
    EXPECT_EQ(app.gaugeModel(0), "KQ-77");
    EXPECT_EQ(app.gaugeModel(1), "KQ-88");
    EXPECT_TRUE(app.debugLog());
    EXPECT_FALSE(app.dataLoggerPages());  // only 1 turns it on
    EXPECT_TRUE(app.transferOnly());      // any value but 0
    EXPECT_TRUE(app.userVelocityPage());
    EXPECT_EQ(app.config().dataLogger, 2);
}

TEST(StartupTest, PcDataFolderRules) {
    struct Case {
        const char* stored;  // HostDirPath in Settings.ini, nullptr for none
        const char* expectedUnderRoot;
    } cases[] = {
        {nullptr, "Documents/Korvel/data"},
        {"<My Documents>\\Korvel\\data", "Documents/Korvel/data"},
        {"<My Documents>/Korvel/data", "Documents/Korvel/data"},
        {"", "Documents/Korvel/data"},
        {"CHOSEN/deeper", "CHOSEN/deeper"},
    };
    for (const auto& c : cases) {
        test::TempHome home;
        const std::string settings = home.path(".config/Korvel/Settings.ini");
        if (c.stored) {
            makeFolderChain(home.path(".config/Korvel"));
            const std::string stored = std::string(c.stored).rfind("CHOSEN", 0) == 0
                                           ? home.path(c.stored)
                                           : std::string(c.stored);
            ASSERT_TRUE(writeProfileString(settings, "CONFIG", "HostDirPath", stored));
        }
        PalimarApp app;
        app.startup(home.root(), home.folders());
        EXPECT_EQ(app.pcDataFolder(), home.path(c.expectedUnderRoot))
            << (c.stored ? c.stored : "none");
        EXPECT_TRUE(isDirectory(app.pcDataFolder()));
        // The default folder is made even when the user chose another one.
        EXPECT_TRUE(isDirectory(home.path("Documents/Korvel/data")));
    }
}

TEST(StartupTest, EveryPlaceholderOccurrenceIsReplaced) {
    test::TempHome home;
    home.write("AppConfig.ini",
               "[CONFIG]\nDefaultHostDirPath=<My Documents>/a/<My Documents>\n"
               "DefaultSettingsDirPath=<My Settings>/s\n");
    PalimarApp app;
    app.startup(home.root(), home.folders());
    const std::string documents = home.folders().documents;
    EXPECT_EQ(app.pcDataFolder(), documents + "/a/" + documents);
    EXPECT_EQ(app.settingsFolder(), home.folders().settings + "/s");  // as written
    EXPECT_EQ(expandPlaceholder("<X><X>", "<X>", "<X>y"), "<X>y<X>y");
}

TEST(StartupTest, LegacyLayoutKeepsSettingsInTheWorkingDirectoryAndMakesNoFolder) {
    test::TempHome home;
    SystemFolders system = home.folders();
    system.osMajorVersion = 5;
    PalimarApp app;
    app.startup(home.root(), system);
    EXPECT_TRUE(app.legacySettingsLayout());
    EXPECT_EQ(app.settingsFile(), home.path("Settings.ini"));
    EXPECT_EQ(app.pcDataFolder(), "");
    EXPECT_FALSE(isDirectory(home.path("Documents")));
    EXPECT_FALSE(isDirectory(home.path(".config")));
    ASSERT_TRUE(app.writePcDataFolder("/somewhere"));
    ASSERT_TRUE(app.writeLanguage("DEU"));
    EXPECT_EQ(home.read("Settings.ini"),
              "[CONFIG]\r\nHostDirPath=/somewhere\r\n[Language]\r\nDefault=DEU\r\n");

    PalimarApp again;
    again.startup(home.root(), system);
    EXPECT_EQ(again.pcDataFolder(), "/somewhere");  // as stored, not checked
    EXPECT_EQ(again.texts().languageCode(), "DEU");

    system.osMajorVersion = 6;
    PalimarApp modern;
    modern.startup(home.root(), system);
    EXPECT_FALSE(modern.legacySettingsLayout());
}

TEST(StartupTest, WorkingDirectoryIsCutTo255Characters) {
    test::TempHome home;
    PalimarApp app;
    const std::string longPath = home.root() + "/" + std::string(300, 'w');
    app.startup(longPath, home.folders());
    EXPECT_EQ(app.workingDirectory(), longPath.substr(0, 255));
}

TEST(FolderChainTest, ReturnRule) {
    test::TempHome home;
    EXPECT_EQ(makeFolderChain(""), 0);
    EXPECT_EQ(makeFolderChain(home.root()), 1);
    EXPECT_EQ(makeFolderChain(home.path("a/b/c")), 1);
    EXPECT_TRUE(isDirectory(home.path("a/b")));
    EXPECT_EQ(makeFolderChain(home.path("a/b/c/")), 1);
    home.write("file", "x");
    EXPECT_EQ(makeFolderChain(home.path("file")), 0);
    EXPECT_EQ(makeFolderChain(home.path("file/below")), 0);
}

}  // namespace
}  // namespace korvel
