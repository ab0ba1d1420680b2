// Speed and size of the inspection history: adding a 5000-reading survey (at most 3 times the
// time korvel-cli show takes to read it, the BM_ReadSurveyOf5000 line), archive rates of an
// asset of 20 surveys of 5000 readings (at most 200 ms), the same asset among 200 such assets
// (20 million readings, built once into a file that later runs reuse: at most 200 ms), and the
// bytes stored a reading beyond the files (the "bytesPerReading" counter, at most 40). With
// KORVEL_BENCH_SERVER set to a connection string the add (at most 300 ms) and the rates (at most
// 400 ms) run on that PostgreSQL server as well.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "app/platform.h"
#include "datafile/data_file_reader.h"
#include "datafile/data_file_writer.h"
#include "history/history_open.h"
#include "history/inspection_history.h"
#include "tests/support/temp_folder.h"
#include "tools/sample_files.h"

namespace korvel::history {
namespace {

namespace fs = std::filesystem;

// The largest thickness-only file, saved on the n-th day of the years from 1990 on.
std::string survey5000(int n) {
    DataFile file = samples::largestThicknessOnly("BIG5000.CSV", 17);
    const std::string date = "01/" + std::string(n % 28 < 9 ? "0" : "") +
                             std::to_string(n % 28 + 1) + "/" + std::to_string(1990 + n / 28) +
                             " 12:00 PM";
    file.setHeaderValue("Last Saved", date);
    return dataFileBytes(file);
}

InspectionHistory openBench(const std::string& where) {
    auto storage = openHistoryStorage(where);
    if (!storage) {
        std::abort();
    }
    InspectionHistory history(std::move(*storage));
    history.initialise();
    return history;
}

// An asset of `surveys` surveys of 5000 readings.
void fillAsset(InspectionHistory& history, const std::string& asset, int surveys, int first) {
    history.setAsset({asset, 0.1, "IN", InspectionCode::Api653, {}});
    for (int i = 0; i < surveys; ++i) {
        history.addSurvey(asset, "S.CSV", survey5000(first + i));
    }
}

void BM_ReadSurveyOf5000(benchmark::State& state) {
    const std::string bytes = survey5000(0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseDataFile(bytes));
    }
}
BENCHMARK(BM_ReadSurveyOf5000)->Unit(benchmark::kMillisecond);

void addSurveys(benchmark::State& state, const std::string& where) {
    auto history = openBench(where);
    history.setAsset({"A", {}, {}, {}, {}});
    // A server keeps the surveys of earlier runs: the next run's are new ones.
    const auto earlier = history.surveys("A");
    int n = 40000 + (earlier ? static_cast<int>(earlier->size()) : 0);
    for (auto _ : state) {
        state.PauseTiming();
        const std::string bytes = survey5000(n++);
        state.ResumeTiming();
        if (!history.addSurvey("A", "S.CSV", bytes)) {
            state.SkipWithError("the add failed");
            break;
        }
    }
}

void BM_AddSurveyOf5000(benchmark::State& state) {
    const fs::path folder = test::uniqueTempFolder("korvel-history-bench");
    addSurveys(state, (folder / "h.sqlite").string());
    fs::remove_all(folder);
}
BENCHMARK(BM_AddSurveyOf5000)->Unit(benchmark::kMillisecond);

void rates(benchmark::State& state, InspectionHistory& history, const std::string& asset) {
    for (auto _ : state) {
        const auto figures = history.figures(asset);
        if (!figures || figures->locations.size() != 5000) {
            state.SkipWithError("no figures");
        }
    }
}

void BM_RatesOf100000Readings(benchmark::State& state) {
    const fs::path folder = test::uniqueTempFolder("korvel-history-bench");
    const std::string path = (folder / "h.sqlite").string();
    auto history = openBench(path);
    fillAsset(history, "A", 20, 0);
    rates(state, history, "A");
    // The file's size beyond the survey files it holds, a reading.
    const double files = 20.0 * static_cast<double>(survey5000(0).size());
    state.counters["bytesPerReading"] = (static_cast<double>(fileSize(path)) - files) / 100000.0;
    fs::remove_all(folder);
}
BENCHMARK(BM_RatesOf100000Readings)->Unit(benchmark::kMillisecond);

// The history of 200 assets is built once (a few minutes) into KORVEL_BENCH_HISTORY, else
// /tmp/korvel-history-bench-200.sqlite, and taken as it is by later runs.
void BM_RatesOfOneAssetAmong200(benchmark::State& state) {
    const char* named = std::getenv("KORVEL_BENCH_HISTORY");
    const std::string path = named ? named : "/tmp/korvel-history-bench-200.sqlite";
    auto history = openBench(path);
    for (int asset = 0; asset < 200; ++asset) {
        const std::string name = "A" + std::to_string(asset);
        const auto surveys = history.surveys(name);
        if (!surveys || surveys->size() < 20) {
            fillAsset(history, name, 20, asset * 20);
        }
    }
    rates(state, history, "A117");
    const double files = 4000.0 * static_cast<double>(survey5000(0).size());
    state.counters["bytesPerReading"] = (static_cast<double>(fileSize(path)) - files) / 20000000.0;
}
BENCHMARK(BM_RatesOfOneAssetAmong200)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ServerAddSurveyOf5000(benchmark::State& state) {
    const char* server = std::getenv("KORVEL_BENCH_SERVER");
    if (!server) {
        state.SkipWithError("KORVEL_BENCH_SERVER names no server");
        return;
    }
    addSurveys(state, server);
}
BENCHMARK(BM_ServerAddSurveyOf5000)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ServerRatesOf100000Readings(benchmark::State& state) {
    const char* server = std::getenv("KORVEL_BENCH_SERVER");
    if (!server) {
        state.SkipWithError("KORVEL_BENCH_SERVER names no server");
        return;
    }
    auto history = openBench(server);
    fillAsset(history, "RATES", 20, 20000);
    rates(state, history, "RATES");
}
BENCHMARK(BM_ServerRatesOf100000Readings)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::history

BENCHMARK_MAIN();
