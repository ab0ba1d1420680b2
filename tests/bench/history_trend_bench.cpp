// A click on a location of the Inspection History page until its trend has been painted: the
// thinning asset (20 surveys of 5000 readings, a sequence and a grid), the page shown at 1280
// by 680 (offscreen). Each iteration is one left click on the map, on another location each time,
// and the window's events until the trend's paint has ended, as a person would see it: at most 16
// ms. The "slowest_ms" counter is the longest single click, "paints" the trend's paints a click
// (one).

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTest>
#include <cstdlib>

#include "dataview/history/trend_chart.h"
#include "dataview/history/window_history.h"
#include "dataview/survey/survey_map.h"
#include "pages/inspection_history_page.h"
#include "tests/bench/paint_count.h"
#include "tests/bench/thinning_asset.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"

namespace korvel::test {
namespace {

// Positions on the map, each over another location.
std::vector<QPoint> locationsOnMap(const SurveyMap& map) {
    std::vector<QPoint> positions;
    std::vector<int> seen;
    for (int y = 4; y < map.height(); y += 9) {
        for (int x = 4; x < map.width(); x += 23) {
            const int point = map.pointAt(QPoint(x, y));
            if (point >= 0 && std::find(seen.begin(), seen.end(), point) == seen.end()) {
                seen.push_back(point);
                positions.emplace_back(x, y);
            }
        }
    }
    return positions;
}

void BM_ClickUntilTrendPainted(benchmark::State& state) {
    PageEnvironment environment;
    environment.start();
    {
        WindowHistory opened = openWindowHistory(environment.app());
        if (!opened.history ||
            !addThinningAsset(*opened.history, "A", static_cast<ThinningShape>(state.range(0)))) {
            std::abort();
        }
    }
    RecordingVoice voice;
    CInspectionHistoryPage page(environment.context());
    page.setVoice(&voice);
    page.ensureInitialised();
    page.resize(1280, 680);
    page.show();
    page.refreshAssets();
    page.selectAsset("A");
    QTest::qWait(100);
    const std::vector<QPoint> positions = locationsOnMap(*page.map());
    if (positions.size() < 2 || !page.loaded()) {
        state.SkipWithError("no locations on the map");
        return;
    }
    PaintCount count;
    page.trend()->installEventFilter(&count);
    std::size_t next = 0;
    qint64 slowest = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const int before = count.paints;
        QTest::mouseClick(page.map(), Qt::LeftButton, Qt::NoModifier,
                          positions[next++ % positions.size()]);
        while (count.paints == before && clock.elapsed() < 1000) {
            QCoreApplication::processEvents();
        }
        slowest = std::max(slowest, clock.nsecsElapsed());
    }
    state.counters["slowest_ms"] = static_cast<double>(slowest) / 1e6;
    state.counters["paints"] = benchmark::Counter(count.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ClickUntilTrendPainted)
    ->ArgName("grid")
    ->Arg(static_cast<int>(ThinningShape::Sequence))
    ->Arg(static_cast<int>(ThinningShape::Grid))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace korvel::test
