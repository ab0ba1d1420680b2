// The Terminal receiving a 1 MB reply from the simulated gauge as fast as the reader can read it
// (virtual clock): how much the resident size grows while it arrives, how often the response
// box was painted, the longest time it went without a paint (from Start Read to the reader's
// end, counting the times before the first paint and after the last), and the longest time the
// window thread did not get round to its events. The figures are counters of the one
// iteration; the aim is below 20 MB and below 100 ms.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "app/clock.h"
#include "pages/terminal_page.h"
#include "sim/simulated_gauge.h"
#include "sim/virtual_bus.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"

namespace korvel::test {
namespace {

constexpr std::size_t kReplyBytes = 1 << 20;

double residentMegabytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// The longest pause between two moments of a series that starts with start() and ends with
// end(); note() adds a moment.
class Gaps {
  public:
    void start() { clock_.start(); }
    void note() {
        longestMs_ = std::max(longestMs_, clock_.restart());
        ++count_;
    }
    void end() { longestMs_ = std::max(longestMs_, clock_.elapsed()); }
    qint64 longestMs() const { return longestMs_; }
    int count() const { return count_; }

  private:
    QElapsedTimer clock_;
    qint64 longestMs_ = 0;
    int count_ = 0;
};

// Notes every paint of a widget.
class PaintWatch : public QObject {
  public:
    Gaps gaps;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            gaps.note();
        }
        return false;
    }
};

std::string megabyteOfReadings() {
    std::string text;
    for (int id = 1; text.size() < kReplyBytes; ++id) {
        text += std::to_string(id) + ",0.2500,0.2480,0.2510,IN,OFF,\n";
    }
    return text;
}

void BM_TerminalReceivesAMegabyte(benchmark::State& state) {
    VirtualClock clock;
    UsbPort port{sim::simulatedUsbApi(), clock};
    sim::virtualBus().reset(clock);
    installUsbPort(port);
    PageEnvironment environment;
    environment.write("log/BIG.CSV", megabyteOfReadings());
    sim::virtualBus().plugIn(std::make_shared<sim::SimulatedGauge>(environment.path("log")));
    environment.start();
    RecordingVoice voice;
    for (auto _ : state) {
        CTerminalPage page(environment.context());
        page.setVoice(&voice);
        page.ensureInitialised();
        page.activated();
        page.resize(800, 600);
        page.show();
        QTest::qWait(50);
        page.commandBox()->setText("read /dev/datalog/BIG");
        page.writeButton()->click();
        PaintWatch paints;
        page.responseBox()->viewport()->installEventFilter(&paints);
        // A timer that ticks whenever the window thread gets round to its events.
        Gaps ticks;
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] { ticks.note(); });
        const double before = residentMegabytes();
        paints.gaps.start();
        ticks.start();
        tick.start();
        page.startButton()->click();
        // Ended when the reader has stopped and the box holds all that was received.
        const auto shownWhole = [&] {
            return !page.stopButton()->isEnabled() &&
                   page.responseBox()->document()->characterCount() - 1 >=
                       page.receivedBox()->text().toLong();
        };
        const bool ended = QTest::qWaitFor(shownWhole, 600000);
        paints.gaps.end();
        ticks.end();
        state.counters["ended"] = ended ? 1 : 0;
        state.counters["reply_chars"] = static_cast<double>(page.receivedBox()->text().toLong());
        state.counters["rss_growth_MB"] = residentMegabytes() - before;
        state.counters["paints"] = paints.gaps.count();
        state.counters["longest_paint_gap_ms"] = static_cast<double>(paints.gaps.longestMs());
        state.counters["longest_stall_ms"] = static_cast<double>(ticks.longestMs());
    }
}

BENCHMARK(BM_TerminalReceivesAMegabyte)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::test
