// Speed of the Inspection History page on an asset of 20 surveys of 5000 readings (100,000
// readings, thinning_asset.h), the page shown at 1366 by 768 (offscreen): selecting the asset
// in the list until the page has shown it (read from the history, its surveys listed, its
// figures written and the page painted: at most 150 ms), and a colour choice until the map has
// been painted again (at most 30 ms), each for a grid and a sequence. BM_LoadAsset... is the
// read alone (history, figures and the latest survey's layout), the part of the selection that
// is not the window's. Each measure ends with a paint forced there and then, and fails when
// the map was not painted.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTableWidget>
#include <QTest>

#include "dataview/survey/survey_map.h"
#include "pages/inspection_history_page.h"
#include "tests/bench/paint_count.h"
#include "tests/bench/thinning_asset.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"

namespace korvel::test {
namespace {

// The history in the settings folder with the 100,000-reading asset "A" and an asset "EMPTY"
// to select between its selections; the page shown on it.
class ShownPage {
  public:
    explicit ShownPage(ThinningShape shape) {
        environment_.start();
        WindowHistory opened = openWindowHistory(environment_.app());
        if (!opened.history || !addThinningAsset(*opened.history, "A", shape) ||
            !opened.history->setAsset({"EMPTY", {}, {}, {}, {}})) {
            std::abort();
        }
        page_ = std::make_unique<CInspectionHistoryPage>(environment_.context());
        page_->setVoice(&voice_);
        page_->ensureInitialised();
        page_->resize(1366, 768);
        page_->show();
        if (!QTest::qWaitForWindowExposed(page_.get())) {
            std::abort();
        }
        page_->refreshAssets();
        page_->map()->installEventFilter(&paints_);
    }

    CInspectionHistoryPage& page() { return *page_; }
    PalimarApp& app() { return environment_.app(); }

    // Selects the asset as a click on its row does, then paints the page there and then;
    // false when the map was not painted.
    bool select(const QString& name) {
        QTableWidget& assets = *page_->assetTable();
        for (int row = 0; row < assets.rowCount(); ++row) {
            if (assets.item(row, 0)->text() == name) {
                assets.setCurrentCell(row, 0);
            }
        }
        return paint(*page_);
    }

    // The events the change posted (its layout and its paint), then the widget painted there
    // and then unless the map has been; false when the map was not painted.
    bool paint(QWidget& widget) {
        const int before = paints_.paints;
        QCoreApplication::processEvents();
        if (paints_.paints == before) {
            widget.repaint();
        }
        return paints_.paints > before;
    }

  private:
    PageEnvironment environment_;
    RecordingVoice voice_;
    std::unique_ptr<CInspectionHistoryPage> page_;
    PaintCount paints_;
};

void selectAsset(benchmark::State& state, ThinningShape shape) {
    ShownPage shown(shape);
    for (auto _ : state) {
        state.PauseTiming();
        shown.select("EMPTY");
        state.ResumeTiming();
        const bool painted = shown.select("A");
        if (!painted || !shown.page().loaded() ||
            shown.page().loaded()->readings.size() != 100000) {
            state.SkipWithError("the asset was not shown");
            break;
        }
    }
}

BENCHMARK_CAPTURE(selectAsset, GridOf100000Readings, ThinningShape::Grid)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
BENCHMARK_CAPTURE(selectAsset, SequenceOf100000Readings, ThinningShape::Sequence)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// The four colourings in turn, each until the map is painted.
void chooseColours(benchmark::State& state, ThinningShape shape) {
    ShownPage shown(shape);
    shown.select("A");
    int colouring = 0;
    for (auto _ : state) {
        colouring = (colouring + 1) % 4;
        shown.page().setColouring(static_cast<HistoryColouring>(colouring));
        if (!shown.paint(*shown.page().map())) {
            state.SkipWithError("the map was not painted");
            break;
        }
    }
}

BENCHMARK_CAPTURE(chooseColours, GridOf100000Readings, ThinningShape::Grid)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);
BENCHMARK_CAPTURE(chooseColours, SequenceOf100000Readings, ThinningShape::Sequence)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40);

void BM_LoadAssetOf100000Readings(benchmark::State& state) {
    ShownPage shown(ThinningShape::Grid);
    WindowHistory opened = openWindowHistory(shown.app());
    for (auto _ : state) {
        const auto loaded = loadAsset(*opened.history, "A", localTodayMinutes());
        if (!loaded || loaded->readings.size() != 100000) {
            state.SkipWithError("the asset was not read");
            break;
        }
    }
}
BENCHMARK(BM_LoadAssetOf100000Readings)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace korvel::test
