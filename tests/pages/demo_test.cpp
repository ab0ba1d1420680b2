#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "app/platform.h"
#include "app/safe_file.h"
#include "app/text_table.h"
#include "app/ui/file_list_view.h"
#include "app/ui/gauge_operation_runner.h"
#include "dataview/dialog/data_view_dialog.h"
#include "pages/demo_folders.h"
#include "pages/demo_gauge_panel.h"
#include "pages/file_transfer_page.h"
#include "sim/upgrade_mode.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"
#include "tests/support/simulated_gauge_setup.h"

namespace korvel {
namespace {

std::string resources() {
    return std::string(KORVEL_SOURCE_DIR) + "/resources";
}

TEST(DemoFoldersTest, SeedsItsOwnInstallationOnce) {
    test::PageEnvironment environment;
    const DemoFolders folders = demoFolders(environment.path("demo"));
    std::string error;
    ASSERT_TRUE(prepareDemo(folders, resources(), error)) << error;
    for (const char* name : {"AppConfig.ini", "Language.ini", "logo.bmp", "quenboot.bin"}) {
        EXPECT_TRUE(fileExists(joinPath(folders.work, name))) << name;
    }
    EXPECT_EQ(readFileBytes(joinPath(folders.work, "Language.ini")),
              readFileBytes(resources() + "/Language.ini"));
    for (const char* name : {"PIPE-A.CSV", "ELBOW-R.CSV", "TANK3D.CSV", "BOILER1.CSV"}) {
        EXPECT_TRUE(fileExists(joinPath(folders.gaugeLog, name))) << name;
    }
    EXPECT_FALSE(fileExists(joinPath(folders.gaugeLog, "MERGE-1.CSV")));
    for (const char* name : {"PIPE-A.CSV", "ELBOW-C.DAT", "MERGE-1.CSV", "KQ77-DEMO.bin"}) {
        EXPECT_TRUE(fileExists(joinPath(folders.pcDataFolder(), name))) << name;
    }
    // The shipped upgrade images, to try the upgrade with.
    EXPECT_EQ(readFileBytes(joinPath(folders.work, "quenboot.bin")),
              readFileBytes(resources() + "/firmware/quenboot.bin"));
    EXPECT_EQ(readFileBytes(joinPath(folders.pcDataFolder(), "KQ77-DEMO.bin")),
              readFileBytes(resources() + "/firmware/KQ77-demo-firmware.bin"));

    // A second start keeps what the person did with the files.
    std::remove(joinPath(folders.pcDataFolder(), "PIPE-A.CSV").c_str());
    std::remove(joinPath(folders.gaugeLog, "TANK3D.CSV").c_str());
    ASSERT_TRUE(prepareDemo(folders, resources(), error)) << error;
    EXPECT_FALSE(fileExists(joinPath(folders.pcDataFolder(), "PIPE-A.CSV")));
    EXPECT_FALSE(fileExists(joinPath(folders.gaugeLog, "TANK3D.CSV")));

    // The shipped configuration runs in the demo's own folders.
    PalimarApp app;
    app.startup(folders.work, folders.system);
    EXPECT_EQ(app.pcDataFolder(), folders.pcDataFolder());
    EXPECT_EQ(app.settingsFolder(), joinPath(folders.system.settings, "Korvel"));
    EXPECT_EQ(app.logoPath(), joinPath(folders.work, "logo.bmp"));
}

TEST(DemoFoldersTest, MissingResourcesAreReported) {
    test::PageEnvironment environment;
    std::string error;
    EXPECT_FALSE(
        prepareDemo(demoFolders(environment.path("demo")), environment.path("none"), error));
    EXPECT_NE(error.find("AppConfig.ini"), std::string::npos) << error;
}

TEST(DemoGaugePanelTest, UnpluggingShowsTheLinkFailureAndPluggingBringsTheGaugeBack) {
    test::PageEnvironment environment;
    environment.write("gauge/PIPE1.CSV", "Filename,Type,\r\nPIPE1.CSV,LINEAR,\r\n");
    const PalimarApp& app = environment.start();
    test::SimulatedGaugeSetup gauge(environment.path("gauge"));
    auto upgradeMode = std::make_shared<sim::BootModeGauge>();
    CFileTransferPage page(environment.context());
    test::RecordingVoice voice;
    page.setVoice(&voice);
    page.ensureInitialised();
    DemoGaugePanel panel(app.texts(), gauge.gauge, upgradeMode, &page);

    panel.unplug();
    EXPECT_EQ(panel.state()->text(),
              "The simulated Gage is unplugged: the gauge buttons now show "
              "the link failure.");
    page.refreshGaugeList();
    page.operation().waitUntilEnded();
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0], (test::Said{MessageKind::Error, app.texts().linkFailureMessage()}));

    panel.plugInUpgradeMode();  // another identity: the data log is still out of reach
    EXPECT_EQ(panel.state()->text(),
              "The simulated Gage is plugged in, in its upgrade mode, for "
              "the Software Upgrade page.");
    page.refreshGaugeList();
    page.operation().waitUntilEnded();
    EXPECT_EQ(voice.said.size(), 2u);

    panel.plugIn();
    EXPECT_EQ(panel.state()->text(), "The simulated Gage is plugged in.");
    page.refreshGaugeList();
    page.operation().waitUntilEnded();
    EXPECT_EQ(voice.said.size(), 2u);
    EXPECT_EQ(page.gaugeList()->topLevelItemCount(), 1);
}

TEST(DemoGaugePanelTest, OpensWhollyOnTheScreenBesideTheSheet) {
    const QRect screen(0, 0, 1280, 800);
    const QSize panel(300, 200);
    struct Case {
        QRect sheet;
        QPoint expected;
    } cases[] = {
        {{10, 20, 700, 500}, {722, 20}},     // room on the right
        {{500, 20, 700, 500}, {188, 20}},    // no room on the right: on the left
        {{100, 20, 1100, 500}, {900, 532}},  // room on neither side: below
        {{100, 300, 1100, 490}, {900, 88}},  // nor below: above
        {{0, 0, 1280, 800}, {0, 600}},       // no room anywhere: the lower left corner
        {{-50, -40, 700, 500}, {662, 0}},    // a sheet partly off the screen
    };
    for (const Case& c : cases) {
        const QPoint at = panelPlace(c.sheet, panel, screen);
        EXPECT_EQ(at, c.expected) << c.sheet.x() << "," << c.sheet.y();
        EXPECT_TRUE(screen.contains(QRect(at, panel)));
    }
}

// Every state text fits the panel in full: the longer ones wrap onto more lines than the
// panel had room for when it first showed.
TEST(DemoGaugePanelTest, TheWholeStateTextStaysInSight) {
    test::PageEnvironment environment;
    const PalimarApp& app = environment.start();
    test::SimulatedGaugeSetup gauge(environment.path("gauge"));
    DemoGaugePanel panel(app.texts(), gauge.gauge, std::make_shared<sim::BootModeGauge>(), nullptr);
    panel.show();
    QApplication::processEvents();
    const std::function<void()> states[] = {
        [&] { panel.unplug(); }, [&] { panel.plugInUpgradeMode(); }, [&] { panel.plugIn(); }};
    for (const auto& changeState : states) {
        changeState();
        QApplication::processEvents();
        const QLabel* state = panel.state();
        EXPECT_GE(state->height(), state->heightForWidth(state->width()))
            << state->text().toStdString();
        EXPECT_GE(panel.height(), state->geometry().bottom()) << state->text().toStdString();
    }
}

}  // namespace
}  // namespace korvel
