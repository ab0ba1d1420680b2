// Speed of the data view on the largest files it takes: opening until the first frame is drawn,
// selecting another reading, and walking a long cross-section segment with the down arrow.
// Offscreen; each figure is the time of one whole step as a person would see it.

#include <benchmark/benchmark.h>

#include <QTableView>
#include <QtTest/QTest>
#include <memory>

#include "datafile/data_file_writer.h"
#include "dataview/dialog/data_view_dialog.h"
#include "tests/dataview/view_file_builder.h"
#include "tools/sample_files.h"

namespace korvel::test {
namespace {

// The sample set's largest files, written into the fixture's folder.
std::string largestFile(ViewFixture& fixture, const DataFile& file) {
    return fixture.write(file.headerValue("Filename"), dataFileBytes(file));
}

std::string segmentFile(int readings) {
    ViewFileBuilder file;
    const char* alarms[] = {"OFF", "OFF", "OFF", "LOW", "LOW WARNING"};
    for (int i = 0; i < readings; ++i) {
        Row row;
        row.id = std::to_string(10000 + i).substr(1);
        row.bscan = i == 0 ? "START" : i == readings - 1 ? "STOP" : "BODY";
        row.thickness = "0." + std::to_string(300 + (i * 37) % 400);
        row.alarm = alarms[(i / 7) % 5];
        file.reading(row);
    }
    file.setup("1,IN,0.2330,1.000,0.010,STD,K-1,");
    return file.text();
}

struct OpenView {
    std::unique_ptr<DataViewDialog> view;
    explicit OpenView(ViewFixture& fixture, const std::string& path)
        : view(new DataViewDialog(path, fixture.texts, nullptr, &fixture.voice)) {
        view->setAttribute(Qt::WA_DeleteOnClose, false);
        view->show();
        view->repaint();
        QCoreApplication::processEvents();
    }
};

void openUntilFirstFrame(benchmark::State& state, const DataFile& file) {
    ViewFixture fixture;
    const std::string path = largestFile(fixture, file);
    for (auto _ : state) {
        OpenView open(fixture, path);
        benchmark::DoNotOptimize(open.view.get());
    }
}

void BM_OpenLargestThicknessFile(benchmark::State& state) {
    openUntilFirstFrame(state, samples::largestThicknessOnly("BIG5000.CSV", 17));
}

void BM_OpenLargestWaveformFile(benchmark::State& state) {
    openUntilFirstFrame(state, samples::largestWithAscans("BIG160A.CSV", 18));
}

void selectRow(DataViewDialog& view, int row) {
    QTableView* list = view.readingsList();
    list->selectionModel()->setCurrentIndex(
        list->model()->index(row, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QCoreApplication::processEvents();
    view.repaint();
}

void BM_SelectAnotherReading(benchmark::State& state) {
    ViewFixture fixture;
    OpenView open(fixture, largestFile(fixture, samples::largestWithAscans("BIG160A.CSV", 18)));
    int row = 0;
    for (auto _ : state) {
        row = (row + 37) % 160;
        selectRow(*open.view, row);
    }
}

void BM_SelectAnotherReadingOf5000(benchmark::State& state) {
    ViewFixture fixture;
    OpenView open(fixture, largestFile(fixture, samples::largestThicknessOnly("BIG5000.CSV", 17)));
    int row = 0;
    for (auto _ : state) {
        row = (row + 997) % 5000;
        selectRow(*open.view, row);
    }
}

void BM_WalkBScanSegmentDown(benchmark::State& state) {
    ViewFixture fixture;
    OpenView open(fixture, fixture.write("SEG.CSV", segmentFile(1000)));
    QTableView* list = open.view->readingsList();
    for (auto _ : state) {
        if (list->currentIndex().row() >= 999) {
            state.PauseTiming();
            selectRow(*open.view, 0);
            state.ResumeTiming();
        }
        QTest::keyClick(list, Qt::Key_Down);
        QCoreApplication::processEvents();
        open.view->repaint();
    }
}

BENCHMARK(BM_OpenLargestThicknessFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLargestWaveformFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAnotherReading)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAnotherReadingOf5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkBScanSegmentDown)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::test
