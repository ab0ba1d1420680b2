// The Software Upgrade, Terminal and User Velocity pages, offscreen, against the simulated
// gauge on the virtual clock.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <thread>

#include "app/safe_file.h"
#include "app/ui/gauge_operation_runner.h"
#include "app/ui/option_sheet.h"
#include "app/ui/qt_text.h"
#include "gauge/firmware_upgrade.h"
#include "pages/download_bin_page.h"
#include "pages/page_set.h"
#include "pages/terminal_page.h"
#include "pages/user_velocity_page.h"
#include "sim/gauge_fault.h"
#include "sim/simulated_gauge.h"
#include "sim/upgrade_mode.h"
#include "sim/velocity_store.h"
#include "sim/virtual_bus.h"
#include "tests/support/page_environment.h"
#include "tests/support/peak_memory.h"
#include "tests/support/recording_voice.h"

namespace korvel::test {
namespace {

// Every page here talks to the simulated gauge through the process's port.
class UtilityPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::virtualBus().reset(clock);
        installUsbPort(port);
        environment.makeFolder("log");
        gauge = std::make_shared<sim::SimulatedGauge>(environment.path("log"));
        sim::teachVelocities(*gauge);
        sim::virtualBus().plugIn(gauge);
        environment.start();
    }
    std::vector<std::string> written() const {
        std::vector<std::string> bytes;
        for (const auto& call : sim::virtualBus().calls()) {
            if (call.name == "bulk_write" && call.result >= 0) {
                bytes.push_back(call.bytes);
            }
        }
        return bytes;
    }
    std::string lastCallNames(std::size_t count) const {
        const auto calls = sim::virtualBus().calls();
        std::string names;
        for (std::size_t i = calls.size() > count ? calls.size() - count : 0; i < calls.size();
             ++i) {
            names += calls[i].name + " ";
        }
        return names;
    }
    template <typename Page>
    std::unique_ptr<Page> makePage() {
        auto page = std::make_unique<Page>(environment.context());
        page->setVoice(&voice);
        page->ensureInitialised();
        page->activated();
        return page;
    }

    VirtualClock clock;
    UsbPort port{sim::simulatedUsbApi(), clock};
    PageEnvironment environment;
    std::shared_ptr<sim::SimulatedGauge> gauge;
    RecordingVoice voice;
};

// ---- User Velocity ----

TEST_F(UtilityPageTest, VelocityPageStartsEmptyWithInchesPerMicrosecond) {
    auto page = makePage<CUserVelocity>();
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(page->velocityBox(k)->text(), "");
        EXPECT_EQ(page->unitsBox(k)->count(), 2);
        EXPECT_EQ(page->unitsBox(k)->itemText(0), "in/us");
        EXPECT_EQ(page->unitsBox(k)->itemText(1), "m/s");
        EXPECT_EQ(page->unitsBox(k)->currentText(), "in/us");
    }
    EXPECT_EQ(page->getButton()->text(), "Get Velocity");
    EXPECT_EQ(page->setButton()->text(), "Set Velocity");
}

TEST_F(UtilityPageTest, SetRefusesWhatTheGaugeCannotTakeBeforeSendingAnything) {
    const std::string range1 = "Nothing was sent to the Gage: Velocity1 must be a number from ";
    const struct {
        const char* value1;
        const char* unit1;
        const char* value2;
        const char* unit2;
        std::string warning;
        int box;  // the box that takes the focus
    } cases[] = {
        {"", "in/us", "", "in/us", range1 + "0.0394 to 0.3937 in/us, not \"\".", 0},
        {"0.2330", "in/us", "0", "m/s",
         "Nothing was sent to the Gage: Velocity2 must be a number from 1000 to 9999 m/s, not "
         "\"0\".",
         1},
        {"0,2330", "in/us", "5900", "m/s", range1 + "0.0394 to 0.3937 in/us, not \"0,2330\".", 0},
        {"6320", "in/us", "5900", "m/s", range1 + "0.0394 to 0.3937 in/us, not \"6320\".", 0},
        {"0.2 3", "in/us", "5900", "m/s", range1 + "0.0394 to 0.3937 in/us, not \"0.2 3\".", 0},
        {"0.4", "in/us", "5900", "m/s", range1 + "0.0394 to 0.3937 in/us, not \"0.4\".", 0},
        {"0.2330", "in/us", "10000", "m/s",
         "Nothing was sent to the Gage: Velocity2 must be a number from 1000 to 9999 m/s, not "
         "\"10000\".",
         1},
        {"-5", "mm/us", "5900", "m/s",
         "Nothing was sent to the Gage: Velocity1 must be a number above 0, not \"-5\".", 0},
        {"nan", "mm/us", "5900", "m/s",
         "Nothing was sent to the Gage: Velocity1 must be a number above 0, not \"nan\".", 0},
    };
    auto page = makePage<CUserVelocity>();
    for (const auto& c : cases) {
        voice.said.clear();
        page->velocityBox(0)->setText(c.value1);
        page->unitsBox(0)->setEditText(c.unit1);
        page->velocityBox(1)->setText(c.value2);
        page->unitsBox(1)->setEditText(c.unit2);
        page->setButton()->click();
        EXPECT_FALSE(page->operationRunning());
        EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Warning, c.warning}})) << c.value1;
        EXPECT_EQ(page->focusWidget(), page->velocityBox(c.box)) << c.value1;
        EXPECT_EQ(page->velocityBox(c.box)->selectedText(), page->velocityBox(c.box)->text());
    }
    EXPECT_TRUE(written().empty());
}

TEST_F(UtilityPageTest, SetSaysWhatTheGaugeTook) {
    auto page = makePage<CUserVelocity>();
    page->velocityBox(0)->setText(" 0.0394 ");
    page->velocityBox(1)->setText("9999");
    page->unitsBox(1)->setCurrentIndex(1);
    page->setButton()->click();
    page->operation().waitUntilEnded();
    EXPECT_EQ(written(), (std::vector<std::string>{"set user velocity1 0.0394 in/us",
                                                   "set user velocity2 9999 m/s"}));
    EXPECT_TRUE(voice.said.empty());
    EXPECT_EQ(voice.status, "The Gage took both velocities: 0.0394 in/us, 9999 m/s");

    // A unit the gauge does not know: the gauge's refusal is shown, the status counts.
    page->unitsBox(1)->setEditText("mm/us");
    page->velocityBox(1)->setText("5.9");
    page->setButton()->click();
    page->operation().waitUntilEnded();
    EXPECT_EQ(voice.said, (std::vector<Said>{{MessageKind::Warning, "ERROR unknown unit mm/us"}}));
    EXPECT_EQ(voice.status, "The Gage took 1 of the two velocities; the message shown says why.");
}

TEST_F(UtilityPageTest, GetShowsTheValuesWithTheUnitTheGaugeReports) {
    gauge->addCommand("get user velocity1",
                      [](const std::string&) { return sim::textReply("5918 m/s"); });
    gauge->addCommand("get user velocity2",
                      [](const std::string&) { return sim::textReply("12345"); });
    auto page = makePage<CUserVelocity>();
    page->velocityBox(1)->setText("0.1");
    page->getButton()->click();
    page->operation().waitUntilEnded();
    EXPECT_EQ(written(),
              (std::vector<std::string>{"get user velocity1 in/us", "get user velocity2 in/us"}));
    EXPECT_EQ(page->velocityBox(0)->text(), "5918");
    EXPECT_EQ(page->unitsBox(0)->currentText(), "m/s");
    // A reply without a blank leaves the box as it was.
    EXPECT_EQ(page->velocityBox(1)->text(), "0.1");
    EXPECT_EQ(page->unitsBox(1)->currentText(), "in/us");
}

TEST_F(UtilityPageTest, VelocitiesSetAreReadBack) {
    auto page = makePage<CUserVelocity>();
    page->velocityBox(0)->setText("0.2500");
    page->velocityBox(1)->setText("6100");
    page->unitsBox(1)->setCurrentIndex(1);
    page->setButton()->click();
    page->operation().waitUntilEnded();
    page->velocityBox(0)->clear();
    page->velocityBox(1)->clear();
    page->getButton()->click();
    page->operation().waitUntilEnded();
    EXPECT_EQ(page->velocityBox(0)->text(), "0.2500");
    EXPECT_EQ(page->velocityBox(1)->text(), "6100");
    EXPECT_EQ(page->unitsBox(1)->currentText(), "m/s");
}

TEST_F(UtilityPageTest, VelocityButtonsWithoutAGaugeShowTheLinkFailureOnceEach) {
    sim::virtualBus().unplugAll();
    auto page = makePage<CUserVelocity>();
    page->velocityBox(0)->setText("0.2");
    page->velocityBox(1)->setText("0.3");
    page->getButton()->click();
    page->operation().waitUntilEnded();
    page->setButton()->click();
    page->operation().waitUntilEnded();
    const Said failure{MessageKind::Error, environment.app().texts().linkFailureMessage()};
    EXPECT_EQ(voice.said, (std::vector<Said>{failure, failure}));
    EXPECT_TRUE(written().empty());
    EXPECT_EQ(page->velocityBox(0)->text(), "0.2");
    EXPECT_EQ(page->velocityBox(1)->text(), "0.3");
}

// ---- Terminal ----

class TerminalPageTest : public UtilityPageTest {
  protected:
    void SetUp() override {
        UtilityPageTest::SetUp();
        gauge->addCommand("status", [](const std::string&) {
            return std::deque<std::string>{std::string(64, 'a'), "second ", "last\xFF"};
        });
        page = makePage<CTerminalPage>();
    }
    // Lets the reader's queued hand-overs reach the page until the condition holds.
    bool waitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, 5000);
    }

    std::unique_ptr<CTerminalPage> page;
};

TEST_F(TerminalPageTest, ActivationPresetsTheDirectoryCommand) {
    EXPECT_EQ(page->commandBox()->text(), "dir /dev/datalog");
    EXPECT_EQ(page->sentBox()->text(), "0");
    EXPECT_EQ(page->receivedBox()->text(), "0");
    EXPECT_TRUE(page->writeButton()->isEnabled());
    EXPECT_TRUE(page->startButton()->isEnabled());
    EXPECT_FALSE(page->stopButton()->isEnabled());
    page->commandBox()->setText("status");
    page->left();
    page->activated();
    EXPECT_EQ(page->commandBox()->text(), "dir /dev/datalog");
}

TEST_F(TerminalPageTest, AThreePacketReplyIsShownWholeAndTheLinkResetAndClosed) {
    page->commandBox()->setText("status");
    page->writeButton()->click();
    // The write runs on the operation's worker; the page waits for it.
    EXPECT_TRUE(page->operationRunning());
    EXPECT_FALSE(page->commandBox()->isEnabled());
    page->operation().waitUntilEnded();
    EXPECT_EQ(page->sentBox()->text(), "6");
    EXPECT_FALSE(page->writeButton()->isEnabled());
    EXPECT_TRUE(page->commandBox()->isEnabled());
    EXPECT_TRUE(page->holdsLink());

    page->startButton()->click();
    EXPECT_FALSE(page->startButton()->isEnabled());
    EXPECT_TRUE(page->stopButton()->isEnabled());
    ASSERT_TRUE(waitFor([&] { return !page->stopButton()->isEnabled(); }));

    // The end marker's 0xFF is not shown; it is counted among the bytes received.
    EXPECT_EQ(page->responseBox()->toPlainText(), toQt(std::string(64, 'a') + "second last"));
    EXPECT_EQ(page->receivedBox()->text(), "76");
    EXPECT_FALSE(page->holdsLink());
    EXPECT_EQ(lastCallNames(3), "reset release_interface close ");
    EXPECT_TRUE(page->startButton()->isEnabled());
    EXPECT_TRUE(page->writeButton()->isEnabled());
    EXPECT_TRUE(voice.said.empty());
}

TEST_F(TerminalPageTest, SilenceEndsTheReaderButLeavesStopReadToThePerson) {
    page->startButton()->click();
    page->operation().waitUntilEnded();
    ASSERT_TRUE(waitFor([&] { return !page->reading(); }));
    QTest::qWait(0);
    EXPECT_GE(clock.nowMs(), 1000);
    EXPECT_TRUE(page->stopButton()->isEnabled());
    EXPECT_TRUE(page->holdsLink());
    page->stopButton()->click();
    EXPECT_FALSE(page->holdsLink());
    EXPECT_EQ(lastCallNames(2), "release_interface close ");
    EXPECT_FALSE(page->stopButton()->isEnabled());
}

TEST_F(TerminalPageTest, ClearDuringReadingIsUndoneByTheNextPacket) {
    page->showReceived("first ");
    page->ClearResponse();
    EXPECT_EQ(page->responseBox()->toPlainText(), "");
    EXPECT_EQ(page->receivedBox()->text(), "0");
    EXPECT_EQ(page->sentBox()->text(), "0");
    page->showReceived("second\r");
    EXPECT_EQ(page->responseBox()->toPlainText(), "first second");
    EXPECT_EQ(page->receivedBox()->text(), "13");
    page->showReceived("\nthird");
    EXPECT_EQ(page->responseBox()->blockCount(), 2) << "a CR LF split between packets is one";
    EXPECT_EQ(page->responseBox()->toPlainText(), "first second\nthird");
}

// However the reply is cut into hand-overs, it reads the same: a UTF-8 character or a run of
// single-byte (Windows-1252) text split between two, and the end marker at the end.
TEST_F(TerminalPageTest, BytesDecodeTheSameWhereverTheyAreCut) {
    const struct {
        std::string bytes;
        QString shown;
    } replies[] = {
        {"Gr\xC3\xB6\xC3\x9F"
         "e \xE2\x82\xAC 1",
         QStringLiteral("Größe € 1")},
        {"Gr\xF6\xDF"
         "e \x80 1",
         QStringLiteral("Größe € 1")},
        {"Gr\xC3"
         "e\xFF"
         "x",
         QStringLiteral("GrÃeÿx")},  // a broken character, a 0xFF within
    };
    for (const auto& reply : replies) {
        for (std::size_t cut = 0; cut <= reply.bytes.size(); ++cut) {
            page->left();  // nothing received, nothing shown
            page->activated();
            page->showReceived(std::string_view(reply.bytes).substr(0, cut));
            page->showReceived(std::string_view(reply.bytes).substr(cut));
            page->showReceived("\xFF\xFF");
            page->readerEnded(true);
            EXPECT_EQ(page->responseBox()->toPlainText(), reply.shown) << cut;
            EXPECT_EQ(page->receivedBox()->text(), QString::number(reply.bytes.size() + 2));
        }
    }
}

// A large hand-over goes into the box a piece at a time, with the window's events in between;
// a CR LF on the border of two pieces stays one line end.
TEST_F(TerminalPageTest, ALargeReplyIsShownInPiecesAndWhole) {
    std::string reply;
    while (reply.size() < 40000) {
        reply += "a\r\n";  // 8192 characters end just after a CR
    }
    QString shown = toQt(reply);
    shown.replace("\r\n", "\n");
    page->showReceived(reply);
    EXPECT_GT(page->responseBox()->toPlainText().size(), 0);
    EXPECT_LT(page->responseBox()->toPlainText().size(), shown.size());
    ASSERT_TRUE(waitFor([&] { return page->responseBox()->toPlainText().size() >= shown.size(); }));
    EXPECT_EQ(page->responseBox()->toPlainText(), shown);
    EXPECT_EQ(page->receivedBox()->text(), QString::number(reply.size()));
}

// A reply without end: the box keeps its tail, Stop Read ends the read at once, and a read
// that runs on to the reply bound ends with a message; the memory stays bounded throughout.
TEST_F(TerminalPageTest, AReplyWithoutEndKeepsATailAndEndsAtStopOrAtTheBound) {
    const auto endless = sim::parseGaugeFault("endless", false);
    ASSERT_TRUE(endless);
    sim::applyGaugeFault(*endless, gauge.get(), nullptr);
    const long before = peakMemoryMb();
    const auto receivedMb = [&] { return page->receivedBox()->text().toLongLong() >> 20; };
    const qsizetype tail = 1024 * 1024;
    for (const bool stop : {true, false}) {
        SCOPED_TRACE(stop ? "stopped" : "cut at the bound");
        page->writeButton()->click();
        page->operation().waitUntilEnded();
        page->startButton()->click();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return stop ? receivedMb() >= 4 : !voice.said.empty(); }, 60000));
        if (stop) {
            QElapsedTimer timer;
            timer.start();
            page->stopButton()->click();
            EXPECT_LT(timer.elapsed(), 1000);
            EXPECT_TRUE(voice.said.empty());
        } else {
            EXPECT_EQ(page->receivedBox()->text(), "16777216");
            EXPECT_EQ(voice.said,
                      (std::vector<Said>{{MessageKind::Error,
                                          "The Gage's answer went on past 16 MB "
                                          "without ending, so reading stopped there. "
                                          "The box keeps its last 1048576 characters. "
                                          "Turn the Gage off and on, then try again."}}));
        }
        EXPECT_FALSE(page->reading());
        EXPECT_FALSE(page->holdsLink());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return page->responseBox()->toPlainText().size() >= tail * 3 / 4; }, 10000));
        const QString shown = page->responseBox()->toPlainText();
        EXPECT_LE(shown.size(), tail + tail / 4);
        EXPECT_TRUE(shown.startsWith("ENDLESS.CSV,CSV,")) << "the tail begins with a line";
        if (before >= 0) {
            EXPECT_LT(peakMemoryMb() - before, 200);
        }
    }
}

TEST_F(TerminalPageTest, EnterInTheCommandBoxWritesElsewhereNothingAndTheSheetStays) {
    COptionSheet sheet(environment.app(), createPageSet(environment.context()));
    int terminalTab = -1;
    for (int tab = 0; tab < sheet.pageCount(); ++tab) {
        if (qobject_cast<CTerminalPage*>(sheet.page(tab))) {
            terminalTab = tab;
        }
    }
    ASSERT_GE(terminalTab, 0);
    sheet.show();
    sheet.setCurrentPage(terminalTab);
    auto* terminal = qobject_cast<CTerminalPage*>(sheet.page(terminalTab));
    terminal->setVoice(&voice);
    terminal->commandBox()->setText("status");
    terminal->commandBox()->setFocus();
    QTest::keyClick(terminal->commandBox(), Qt::Key_Return);
    terminal->operation().waitUntilEnded();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(written(), std::vector<std::string>{"status"});
    EXPECT_EQ(terminal->sentBox()->text(), "6");
    // Again while the button is disabled: nothing more is written.
    QTest::keyClick(terminal->commandBox(), Qt::Key_Return);
    terminal->operation().waitUntilEnded();
    EXPECT_EQ(written().size(), 1u);
    // Enter elsewhere on the page presses nothing; the sheet then refuses to close once.
    terminal->responseBox()->setFocus();
    QTest::keyClick(terminal->responseBox(), Qt::Key_Return);
    EXPECT_EQ(written().size(), 1u);
    sheet.closeButton()->click();
    EXPECT_TRUE(sheet.isVisible());
    sheet.closeButton()->click();
    EXPECT_FALSE(sheet.isVisible());
}

TEST_F(TerminalPageTest, WithoutAGaugeWriteShowsTheLinkFailureAndKeepsTheButtons) {
    sim::virtualBus().unplugAll();
    page->writeButton()->click();
    page->operation().waitUntilEnded();
    page->startButton()->click();
    const Said failure{MessageKind::Error, environment.app().texts().linkFailureMessage()};
    EXPECT_EQ(voice.said, (std::vector<Said>{failure, failure}));
    EXPECT_TRUE(page->writeButton()->isEnabled());
    EXPECT_TRUE(page->startButton()->isEnabled());
    EXPECT_FALSE(page->stopButton()->isEnabled());
}

TEST_F(TerminalPageTest, LeavingWhileReadingStopsTheReaderAndClosesTheLink) {
    page->commandBox()->setText("status");
    page->writeButton()->click();
    page->operation().waitUntilEnded();
    page->startButton()->click();
    // The reader hands the reply over; the page has not seen it yet when it is left.
    while (page->reading()) {
        std::this_thread::yield();
    }
    page->left();
    EXPECT_FALSE(page->holdsLink());
    EXPECT_EQ(page->commandBox()->text(), "");
    EXPECT_EQ(lastCallNames(1), "close ");
    // The reader's hand-overs still on their way do not refill the page that was left.
    QTest::qWait(0);
    EXPECT_EQ(page->responseBox()->toPlainText(), "");
}

// ---- Software Upgrade ----

class DownloadPageTest : public UtilityPageTest {
  protected:
    void SetUp() override {
        environment.write("work/AppConfig.ini",
                          "[CONFIG]\r\nGageName=KQ-90\r\nGageModel1=KQ-90\r\nGageModel2=\r\n"
                          "GageModel3=KQ-90DL\r\n");
        environment.write("work/Language.ini",
                          readFileBytes(KORVEL_SOURCE_DIR "/resources/Language.ini").value());
        UtilityPageTest::SetUp();
        sim::virtualBus().unplugAll();
        bootGauge = std::make_shared<sim::BootModeGauge>();
        sim::virtualBus().plugIn(bootGauge);
        page = makePage<CDownloadBinPage>();
        page->setFileChooser(
            [this](const QString& title, const QString& folder, const QString& filter) {
                asked = {title, folder, filter};
                return answer;
            });
    }

    std::shared_ptr<sim::BootModeGauge> bootGauge;
    std::unique_ptr<CDownloadBinPage> page;
    QString answer;
    QStringList asked;
};

TEST_F(DownloadPageTest, InstructionsNameTheGaugeAndTheModelListIsHidden) {
    EXPECT_EQ(page->instructions()->text(), toQt(environment.app().texts().upgradeInstructions()));
    EXPECT_TRUE(page->instructions()->text().startsWith(
        "1. If KQ-90 is ON - Make sure USB cable is unplugged from the PC or the KQ-90."));
    EXPECT_FALSE(page->modelList()->isVisibleTo(page.get()));
    EXPECT_FALSE(page->modelLabel()->isVisibleTo(page.get()));
    EXPECT_FALSE(page->modelList()->isEnabled());
    EXPECT_EQ(page->modelList()->count(), 2);
    EXPECT_EQ(page->modelList()->currentText(), "KQ-90");
    EXPECT_FALSE(page->startButton()->isEnabled());
    EXPECT_EQ(page->statusLine()->text(), "");
}

TEST_F(DownloadPageTest, ChoosingAFileEnablesStartAndCancellingEmptiesIt) {
    environment.makeFolder("work/data");
    answer = QString::fromStdString(environment.path("work/KQ90.bin"));
    page->selectButton()->click();
    EXPECT_EQ(asked, (QStringList{"Select a File for Download",
                                  QString::fromStdString(environment.path("work/data")),
                                  "Binary Files (*.bin)"}));
    EXPECT_EQ(page->fileBox()->text(), answer);
    EXPECT_TRUE(page->startButton()->isEnabled());
    answer.clear();
    page->selectButton()->click();
    EXPECT_EQ(page->fileBox()->text(), "");
    EXPECT_FALSE(page->startButton()->isEnabled());
}

TEST_F(DownloadPageTest, WithoutADataFolderTheDialogStartsWhereItLikes) {
    page->selectButton()->click();
    ASSERT_EQ(asked.size(), 3);
    EXPECT_EQ(asked[1], "");
}

TEST_F(DownloadPageTest, TheUpgradeRunsToCompleteAndTheGaugeHoldsBothImages) {
    std::string bootloader(1000, '\x5A');
    std::string firmware;
    for (int i = 0; i < 3000; ++i) {
        firmware += static_cast<char>(i * 7);
    }
    environment.write("work/quenboot.bin", bootloader);
    environment.write("work/KQ90.bin", firmware);
    answer = QString::fromStdString(environment.path("work/KQ90.bin"));
    page->selectButton()->click();
    page->startButton()->click();
    page->operation().waitUntilEnded();
    EXPECT_EQ(voice.status, "Software upgrade complete");
    EXPECT_TRUE(voice.said.empty());
    EXPECT_EQ(bootGauge->bootloaderImage(), bootloader);
    EXPECT_EQ(bootGauge->firmwareImage(), firmware);
    EXPECT_EQ(clock.nowMs(), kBootloaderSettleMs + kAfterInitPauseMs);

    page->statusLine()->setText("Software upgrade complete");
    page->activated();
    EXPECT_EQ(page->statusLine()->text(), "");
    EXPECT_EQ(page->progressBar()->value(), 0);
    EXPECT_FALSE(page->startButton()->isEnabled());
    EXPECT_EQ(page->fileBox()->text(), answer);
}

TEST_F(DownloadPageTest, ThePagesOwnBarAndStatusLineFollowTheDownload) {
    environment.write("work/quenboot.bin", std::string(100, '\x01'));
    environment.write("work/KQ90.bin", std::string(130, '\x02'));
    answer = QString::fromStdString(environment.path("work/KQ90.bin"));
    page->setVoice(nullptr);
    page->selectButton()->click();
    page->startButton()->click();
    page->operation().waitUntilEnded();
    EXPECT_EQ(page->statusLine()->text(), "Software upgrade complete");
    EXPECT_EQ(page->progressBar()->maximum(), 132);
    EXPECT_EQ(page->progressBar()->value(), 132);
    EXPECT_EQ(bootGauge->firmwareImage(), std::string(130, '\x02'));
}

TEST_F(DownloadPageTest, AMissingBootloaderStopsBeforeTheGaugeIsTouched) {
    environment.write("work/KQ90.bin", "firmware");
    answer = QString::fromStdString(environment.path("work/KQ90.bin"));
    page->selectButton()->click();
    page->startButton()->click();
    page->operation().waitUntilEnded();
    EXPECT_EQ(voice.said,
              (std::vector<Said>{{MessageKind::Error,
                                  "Select a valid bin file to download for software upgrade"}}));
    EXPECT_TRUE(sim::virtualBus().calls().empty());
}

}  // namespace
}  // namespace korvel::test
