// Speed and size of the inspection report on the largest files: 5000 readings, and 160 readings
// with an A-scan each. Each figure is one whole PDF, from the loaded file to its bytes.

#include <benchmark/benchmark.h>

#include "app/text_table.h"
#include "report/inspection_report.h"
#include "tools/sample_files.h"

namespace korvel::test {
namespace {

void reportOf(benchmark::State& state, const DataFile& file) {
    const TextTable texts;
    const ReportSigner signer{texts, "Korvel - Version 3.7.3", "2026-12-08 10:00"};
    qsizetype bytes = 0;
    for (auto _ : state) {
        bytes = inspectionReportPdf({file, file.headerValue("Filename")}, signer).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}

void BM_ReportOf5000Readings(benchmark::State& state) {
    reportOf(state, samples::largestThicknessOnly("BIG5000.CSV", 17));
}
BENCHMARK(BM_ReportOf5000Readings)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReportOf160AScans(benchmark::State& state) {
    reportOf(state, samples::largestWithAscans("BIG160A.CSV", 18));
}
BENCHMARK(BM_ReportOf160AScans)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace korvel::test
