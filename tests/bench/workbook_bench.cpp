// Speed and size of the survey workbook of the largest files: a 5000-reading grid (its Map
// sheet and statistics) and a 5000-reading sequence, each in at most 1 s and 2 MB; the
// benchmark fails when a workbook is larger.

#include <benchmark/benchmark.h>

#include "tools/sample_files.h"
#include "workbook/survey_workbook.h"

namespace korvel {
namespace {

constexpr std::size_t kMaxWorkbookBytes = 2 * 1024 * 1024;

void writeWorkbook(benchmark::State& state, const DataFile& file) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto workbook = surveyWorkbookBytes({file, file.headerValue("Filename")}, "bench");
        if (!workbook) {
            state.SkipWithError("no workbook");
            return;
        }
        bytes = workbook->size();
    }
    state.counters["bytes"] = double(bytes);
    if (bytes > kMaxWorkbookBytes) {
        state.SkipWithError("the workbook is larger than 2 MB");
    }
}

void BM_WorkbookOfGrid5000(benchmark::State& state) {
    writeWorkbook(state, samples::grid2D("G5000.CSV", 50, 100, "ROW", 31));
}

void BM_WorkbookOfSequence5000(benchmark::State& state) {
    writeWorkbook(state, samples::largestThicknessOnly("BIG5000.CSV", 17));
}

BENCHMARK(BM_WorkbookOfGrid5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorkbookOfSequence5000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel

BENCHMARK_MAIN();
