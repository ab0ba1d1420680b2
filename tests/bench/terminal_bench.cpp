// The Terminal receiving a 1 MB reply from the simulated gauge as fast as the reader can read it
// (virtual clock): how much the resident size grows while it arrives, and the longest time the
// response box went without a repaint. The figures are counters of the one iteration; the aim is
// below 20 MB and below 100 ms.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "app/clock.h"
#include "page_environment.h"
#include "pages/terminal_page.h"
#include "sim/simulated_gauge.h"
#include "sim/virtual_bus.h"
#include "tests/support/recording_voice.h"

namespace korvel::test {
namespace {

constexpr std::size_t kReplyBytes = 1 << 20;

double residentMegabytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// Notes the longest pause between two repaints of a widget.
class PaintGaps : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            if (clock_.isValid()) {
                longestMs_ = std::max(longestMs_, clock_.restart());
            } else {
                clock_.start();
            }
        }
        return false;
    }
    qint64 longestMs() const { return longestMs_; }

  private:
    QElapsedTimer clock_;
    qint64 longestMs_ = 0;
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
        PaintGaps gaps;
        page.responseBox()->viewport()->installEventFilter(&gaps);
        const double before = residentMegabytes();
        page.startButton()->click();
        const bool ended = QTest::qWaitFor([&] { return !page.stopButton()->isEnabled(); }, 600000);
        state.counters["ended"] = ended ? 1 : 0;
        state.counters["reply_chars"] = static_cast<double>(page.receivedBox()->text().toLong());
        state.counters["rss_growth_MB"] = residentMegabytes() - before;
        state.counters["longest_paint_gap_ms"] = static_cast<double>(gaps.longestMs());
    }
}

BENCHMARK(BM_TerminalReceivesAMegabyte)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::test
