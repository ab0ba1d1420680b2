// Speed and size of an asset's history report and workbook: the thinning sequence of 20
// surveys of 5000 readings (100,000 readings, thinning_asset.h), and the report of the grid of
// as many. Each figure is one whole file, from reading the history to the file's bytes: the
// report in at most 3 s and under 5 MB (the "pdf_bytes" counter).

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>

#include "app/text_table.h"
#include "history/history_open.h"
#include "report/history_report.h"
#include "tests/bench/thinning_asset.h"
#include "tests/support/temp_folder.h"
#ifdef KORVEL_BENCH_WORKBOOK
#include "workbook/history_workbook.h"
#endif

namespace korvel::test {
namespace {

namespace fs = std::filesystem;
using namespace korvel::history;

class BenchHistory {
  public:
    BenchHistory() : folder_(uniqueTempFolder("korvel-history-report-bench")) {
        auto storage = openHistoryStorage((folder_ / "h.sqlite").string());
        if (!storage) {
            std::abort();
        }
        history_.emplace(std::move(*storage));
        if (!addThinningAsset(*history_, "A", ThinningShape::Sequence) ||
            !addThinningAsset(*history_, "G", ThinningShape::Grid)) {
            std::abort();
        }
    }
    ~BenchHistory() { fs::remove_all(folder_); }
    InspectionHistory& history() { return *history_; }

  private:
    fs::path folder_;
    std::optional<InspectionHistory> history_;
};

BenchHistory& benchHistory() {
    static BenchHistory history;
    return history;
}

void historyReport(benchmark::State& state, const std::string& asset) {
    InspectionHistory& history = benchHistory().history();
    const TextTable texts;
    const ReportSigner signer{texts, "Korvel - Version 3.7.3", "2026-12-08 10:00"};
    qsizetype bytes = 0;
    for (auto _ : state) {
        const auto content = assetHistory(history, asset);
        const QByteArray pdf =
            historyReportPdf({*content, 0}, latestSurveyBytes(history, *content), signer);
        bytes = pdf.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}

void BM_HistoryReportOf100000Readings(benchmark::State& state) {
    historyReport(state, "A");
}
BENCHMARK(BM_HistoryReportOf100000Readings)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same of the grid, its map 5000 cells.
void BM_HistoryReportOfAGridOf100000Readings(benchmark::State& state) {
    historyReport(state, "G");
}
BENCHMARK(BM_HistoryReportOfAGridOf100000Readings)->Unit(benchmark::kMillisecond)->Iterations(3);

#ifdef KORVEL_BENCH_WORKBOOK
void BM_HistoryWorkbookOf100000Readings(benchmark::State& state) {
    InspectionHistory& history = benchHistory().history();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto content = assetHistory(history, "A");
        bytes = historyWorkbookBytes(*content, "Korvel - Version 3.7.3").value_or("").size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["xlsx_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_HistoryWorkbookOf100000Readings)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace
}  // namespace korvel::test

// The report draws with QtGui alone: a QGuiApplication on the offscreen platform.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
