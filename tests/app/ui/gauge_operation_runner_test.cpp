// The operation runner: the core on its worker thread, the voice on the window's, one
// operation at a time, held input, Cancel, and a close of the sheet during a transfer.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <future>

#include "app/ui/file_list_view.h"
#include "app/ui/gauge_operation_runner.h"
#include "app/ui/option_sheet.h"
#include "gauge/gauge_link.h"
#include "gauge/usb_port.h"
#include "pages/file_transfer_page.h"
#include "pages/page_set.h"
#include "sim/simulated_gauge.h"
#include "sim/simulated_port.h"
#include "sim/virtual_bus.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"
#include "tests/support/temp_folder.h"

namespace korvel {
namespace {

// Records, besides what was said, whether every call came on the window's thread.
class WindowThreadVoice : public test::RecordingVoice {
  public:
    void show(MessageKind kind, const std::string& text) override {
        note();
        RecordingVoice::show(kind, text);
    }
    bool ask(const std::string& text) override {
        note();
        if (onAsk) {
            onAsk();
        }
        return RecordingVoice::ask(text);
    }
    void setStatus(const std::string& text) override {
        note();
        RecordingVoice::setStatus(text);
    }
    void setProgress(int position) override {
        note();
        RecordingVoice::setProgress(position);
    }

    std::function<void()> onAsk;
    int offThread = 0;

  private:
    void note() { offThread += QThread::currentThread() == qApp->thread() ? 0 : 1; }
};

TEST(GaugeOperationRunnerTest, SpeaksOnTheWindowThreadInOrderAndAsksThere) {
    QWidget page;
    WindowThreadVoice voice;
    voice.answers = {true};
    GaugeOperationRunner runner(&page, voice);
    std::atomic<bool> answer{false};
    bool finished = false;
    ASSERT_TRUE(runner.start(
        [&answer](UserVoice& v) {
            v.setStatus("first");
            for (int i = 1; i <= 40; ++i) {
                v.setProgress(i);
            }
            answer = v.ask("Overwrite?");
            v.show(MessageKind::Notice, "said");
            v.setStatus("last");
        },
        [&] { finished = !runner.running(); }));
    EXPECT_TRUE(runner.running());
    runner.waitUntilEnded();
    EXPECT_TRUE(finished);
    EXPECT_TRUE(answer);
    EXPECT_EQ(voice.offThread, 0);
    std::vector<int> expected(40);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(voice.progressHistory, expected);
    EXPECT_EQ(voice.statuses, (std::vector<std::string>{"first", "last"}));
    EXPECT_EQ(voice.said, (std::vector<test::Said>{{MessageKind::Question, "Overwrite?"},
                                                   {MessageKind::Notice, "said"}}));
}

TEST(GaugeOperationRunnerTest, OneAtATimeHeldWidgetsDropInputAndCancelReachesTheCore) {
    QWidget page, other;
    auto* held = new QPushButton("held", &page);
    auto* keptOff = new QPushButton("off", &page);
    auto* cancel = new QPushButton("Cancel", &page);
    keptOff->setEnabled(false);
    int presses = 0;
    QObject::connect(held, &QPushButton::clicked, [&] { ++presses; });
    page.show();
    test::RecordingVoice voice, otherVoice;
    GaugeOperationRunner runner(&page, voice), second(&other, otherVoice);
    runner.holdWhileRunning({held, keptOff});
    runner.setCancelButton(cancel);
    EXPECT_FALSE(cancel->isVisible());

    std::promise<void> release;
    std::atomic<bool> cancelSeen{false};
    ASSERT_TRUE(runner.start([&, go = release.get_future().share()](UserVoice& v) {
        go.wait();
        while (!v.cancelRequested()) {
            std::this_thread::yield();
        }
        cancelSeen = true;
    }));
    EXPECT_EQ(GaugeOperationRunner::active(), &runner);
    EXPECT_FALSE(second.start([](UserVoice&) {}));
    EXPECT_FALSE(held->isEnabled());
    QTest::mouseClick(held, Qt::LeftButton);
    EXPECT_TRUE(cancel->isVisible());
    EXPECT_TRUE(cancel->isEnabled());
    release.set_value();
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(cancel->isEnabled());
    runner.waitUntilEnded();
    EXPECT_TRUE(cancelSeen);
    EXPECT_EQ(presses, 0) << "a press on a held control is dropped, not kept for later";
    EXPECT_TRUE(held->isEnabled());
    EXPECT_FALSE(keptOff->isEnabled());
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_EQ(GaugeOperationRunner::active(), nullptr);
    // The page's next operation starts afresh, not cancelled.
    std::atomic<bool> startedCancelled{true};
    ASSERT_TRUE(runner.start([&](UserVoice& v) { startedCancelled = v.cancelRequested(); }));
    runner.waitUntilEnded();
    EXPECT_FALSE(startedCancelled);

    // Once the upgrade says the gauge must not be left half-written, Cancel no longer acts.
    std::promise<void> go;
    std::atomic<bool> cancelledLate{true};
    QSignalSpy cancellable(&second, &GaugeOperationRunner::cancellableChanged);
    ASSERT_TRUE(second.start([&, wait = go.get_future().share()](UserVoice& v) {
        v.setCancellable(false);
        wait.wait();
        cancelledLate = v.cancelRequested();
    }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !second.cancellable(); }, 5000));
    EXPECT_EQ(cancellable.count(), 2);  // on at the start, off when the worker said so
    second.cancel();
    go.set_value();
    second.waitUntilEnded();
    EXPECT_FALSE(cancelledLate);
}

// The clock of the simulated bus that holds the worker in its first wait until opened, as a
// read waits for the gauge's next packet.
class GateClock : public Clock {
  public:
    std::int64_t nowMs() const override { return time_.nowMs(); }
    void sleepMs(int ms) override {
        std::unique_lock lock(mutex_);
        if (closed_) {
            held_ = true;
            changed_.notify_all();
            changed_.wait(lock, [this] { return !closed_; });
        }
        lock.unlock();
        time_.sleepMs(ms);
    }
    void close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
        held_ = false;
    }
    void open() {
        std::lock_guard lock(mutex_);
        closed_ = false;
        changed_.notify_all();
    }
    bool waitUntilHeld() {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(10), [this] { return held_; });
    }

  private:
    VirtualClock time_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool closed_ = false;
    bool held_ = false;
};

// An operation that holds the gauge and never again says anything is ended at its bound, on
// the virtual clock: timed out, the gauge released, and the page told why.
TEST(GaugeOperationRunnerTest, AnOperationSilentPastItsBoundTimesOutAndReleasesTheGauge) {
    const std::filesystem::path log = test::uniqueTempFolder("korvel-timeout");
    VirtualClock clock;
    UsbPort port(sim::plugInAlone(std::make_shared<sim::SimulatedGauge>(log.string()), clock),
                 clock);
    QWidget page;
    test::RecordingVoice voice;
    GaugeOperationRunner runner(&page, voice, clock);
    const TextTable texts;
    runner.setTimedOutMessage(texts.message("IDS_ERR_GAGE_TIMEDOUT"));
    std::int64_t endedAtMs = 0;
    Outcome outcome = Outcome::Done;
    ASSERT_TRUE(runner.start(
        [&](UserVoice& worker) {
            GaugeLink link(worker, texts, port);
            EXPECT_TRUE(link.OpenGage());
            while (link.pause(1000)) {
            }
            link.ReleaseGage();
            endedAtMs = clock.nowMs();
            return link.outcome();
        },
        [&outcome](Outcome ended) { outcome = ended; }));
    runner.waitUntilEnded();
    EXPECT_EQ(outcome, Outcome::TimedOut);
    EXPECT_GT(endedAtMs, GaugeOperationRunner::kDefaultBoundMs);
    EXPECT_LT(endedAtMs, GaugeOperationRunner::kDefaultBoundMs + 1000);
    EXPECT_EQ(port.handle(), nullptr);
    EXPECT_EQ(voice.said,
              (std::vector<test::Said>{
                  {MessageKind::Error,
                   "The operation with the Gage made no progress for 60 seconds and was stopped; "
                   "the Gage has been released. Check that it is on and connected, then try "
                   "again."}}));
    sim::virtualBus().unplugAll();
    std::filesystem::remove_all(log);
}

TEST(GaugeOperationRunnerTest, ClosingTheSheetDuringAReadCancelsReleasesAndEnds) {
    test::PageEnvironment environment;
    environment.write("gauge/A.CSV", std::string(500, 'a'));
    environment.start();
    GateClock clock;
    UsbPort& previous = currentUsbPort();
    auto port = std::make_unique<UsbPort>(
        sim::plugInAlone(std::make_shared<sim::SimulatedGauge>(environment.path("gauge")), clock),
        clock);
    installUsbPort(*port);
    {
        COptionSheet sheet(environment.app(), createPageSet(environment.context()));
        auto* page = qobject_cast<CFileTransferPage*>(sheet.page(0));
        ASSERT_NE(page, nullptr);
        test::RecordingVoice voice;
        page->setVoice(&voice);
        sheet.show();
        page->refreshGaugeList();
        page->operation().waitUntilEnded();
        ASSERT_EQ(page->gaugeList()->topLevelItemCount(), 1);
        page->gaugeList()->topLevelItem(0)->setSelected(true);
        page->applyGaugeClickRule();

        clock.close();
        page->fromGaugeButton()->click();
        ASSERT_TRUE(clock.waitUntilHeld());
        // The worker waits inside a read, holding the port; the window takes no input for the
        // page or the other tabs.
        auto* tabs = sheet.findChild<QTabWidget*>();
        EXPECT_FALSE(tabs->isTabEnabled(1));
        EXPECT_FALSE(page->refreshGaugeButton()->isEnabled());
        page->refreshGaugeButton()->click();
        EXPECT_TRUE(page->cancelButton()->isVisible());

        voice.answers = {true};
        QTimer::singleShot(0, [&clock] { clock.open(); });
        sheet.close();
        EXPECT_FALSE(sheet.isVisible());
        EXPECT_FALSE(page->operationRunning());
        ASSERT_FALSE(voice.said.empty());
        EXPECT_EQ(voice.said.back(),
                  (test::Said{MessageKind::Question,
                              "An operation with the Gage is still running. Cancel it and close "
                              "the program?\n\nThe program closes as soon as the Gage has been "
                              "released."}));
        EXPECT_EQ(voice.status, "Transfer cancelled. 0 of 1 files done");
        EXPECT_FALSE(std::filesystem::exists(environment.app().pcDataFolder() + "/A.CSV"));
        EXPECT_EQ(port->handle(), nullptr);
        int commands = 0;
        for (const sim::UsbCall& call : sim::virtualBus().calls()) {
            commands += call.name == "bulk_write" ? 1 : 0;
        }
        EXPECT_EQ(commands, 2) << "one listing and one read: the dropped press sent nothing";
        EXPECT_TRUE(tabs->isTabEnabled(1));
    }
    sim::virtualBus().unplugAll();
    installUsbPort(previous);
}

// Notes a question asked while the close question is still open.
class CloseQuestionVoice : public test::RecordingVoice {
  public:
    bool ask(const std::string& text) override {
        askedOverAnother = askedOverAnother || closeQuestionOpen;
        const bool closing = text.rfind("An operation with the Gage", 0) == 0;
        closeQuestionOpen = closing;
        if (closing && whileOpen) {
            whileOpen();
        }
        closeQuestionOpen = false;
        return RecordingVoice::ask(text);
    }

    std::function<void()> whileOpen;  // as the person reads the close question
    bool closeQuestionOpen = false;
    bool askedOverAnother = false;
};

TEST(GaugeOperationRunnerTest, TheWorkersQuestionWaitsForTheCloseQuestion) {
    for (const bool closeAnswer : {false, true}) {
        test::PageEnvironment environment;
        environment.start();
        COptionSheet sheet(environment.app(), createPageSet(environment.context()));
        KorvelPage* page = sheet.page(0);
        CloseQuestionVoice voice;
        page->setVoice(&voice);
        sheet.show();
        std::promise<void> go;
        std::atomic<bool> asking{false};
        std::atomic<bool> workerAnswer{false};
        ASSERT_TRUE(page->operation().start([&, wait = go.get_future().share()](UserVoice& v) {
            wait.wait();
            asking = true;
            workerAnswer = v.ask("File already exists. Do you want to overwrite?");
        }));
        voice.whileOpen = [&] {
            go.set_value();
            EXPECT_TRUE(QTest::qWaitFor([&] { return asking.load(); }, 5000));
            // The worker's question would come over this one now.
            EXPECT_FALSE(QTest::qWaitFor([&] { return voice.said.size() > 0; }, 100));
        };
        voice.answers = {closeAnswer, true};
        sheet.close();
        page->operation().waitUntilEnded();
        EXPECT_FALSE(voice.askedOverAnother);
        EXPECT_EQ(sheet.isVisible(), !closeAnswer);
        // No: the operation goes on and the person answers its question. Yes: it is cancelled,
        // and its question is answered No without being shown.
        ASSERT_EQ(voice.said.size(), closeAnswer ? 1u : 2u);
        EXPECT_EQ(voice.said[0].text.rfind("An operation with the Gage", 0), 0u);
        EXPECT_EQ(workerAnswer.load(), !closeAnswer);
    }
}

}  // namespace
}  // namespace korvel
