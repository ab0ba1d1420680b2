// Loading the largest data files, export and import of 5000 readings and merging 50 grid
// files, each next to the time of reading the same bytes from disk (the "Disk" benchmarks).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/safe_file.h"
#include "app/text_table.h"
#include "app/user_voice.h"
#include "datafile/data_file_reader.h"
#include "datafile/data_file_writer.h"
#include "datafile/file_merge.h"
#include "datafile/text_report_reader.h"
#include "datafile/text_report_writer.h"
#include "tools/sample_files.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

constexpr int kMergeFiles = 50;
constexpr int kMergeColumns = 1;  // 50 columns: 100 rows make the largest grid a merge makes

// The files every benchmark works on, written once into a temporary folder.
class BenchFolder {
  public:
    BenchFolder() : folder_((fs::temp_directory_path() / "korvel-datafile-bench").string()) {
        fs::remove_all(folder_);
        samples::writeSampleSet(folder_);
        writeFileSafely(path("GRID5000.CSV"),
                        dataFileBytes(samples::grid2D("GRID5000.CSV", 50, 100, "ROW", 7)));
        writeFileSafely(path("GRID5000.DAT"),
                        *textReportBytes(*readDataFile(path("GRID5000.CSV"), reportReadOptions())));
    }
    ~BenchFolder() { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return joinPath(folder_, name); }
    const std::string& folder() const { return folder_; }

    // 50 grid files of `rows` rows, one column each, in their own folder.
    std::vector<std::string> mergeInputs(int rows) const {
        const std::string sub = mergeFolder(rows);
        std::vector<std::string> names;
        for (int i = 0; i < kMergeFiles; ++i) {
            const std::string name = "G" + std::to_string(i) + ".CSV";
            const std::string file = joinPath(sub, name);
            if (!fs::exists(file)) {
                fs::create_directories(sub);
                writeFileSafely(file, samples::mergeGrid(1 + i * kMergeColumns, kMergeColumns, rows,
                                                         static_cast<unsigned>(i)));
            }
            names.push_back(name);
        }
        return names;
    }
    std::string mergeFolder(int rows) const { return path("merge" + std::to_string(rows)); }

  private:
    std::string folder_;
};

const BenchFolder& bench() {
    static const BenchFolder folder;
    return folder;
}

void readBytes(benchmark::State& state, const std::vector<std::string>& paths) {
    std::int64_t bytes = 0;
    for (auto _ : state) {
        for (const auto& path : paths) {
            const auto data = readFileBytes(path);
            bytes += static_cast<std::int64_t>(data->size());
            benchmark::DoNotOptimize(data);
        }
    }
    state.SetBytesProcessed(bytes);
}

void BM_Load(benchmark::State& state, const char* name) {
    const std::string path = bench().path(name);
    for (auto _ : state) {
        auto file = readDataFile(path);
        benchmark::DoNotOptimize(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fs::file_size(path));
}
void BM_LoadDisk(benchmark::State& state, const char* name) {
    readBytes(state, {bench().path(name)});
}

BENCHMARK_CAPTURE(BM_Load, BIG5000, "BIG5000.CSV")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadDisk, BIG5000, "BIG5000.CSV")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Load, BIG160A, "BIG160A.CSV")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadDisk, BIG160A, "BIG160A.CSV")->Unit(benchmark::kMillisecond);

void BM_Export5000(benchmark::State& state) {
    SilentVoice voice(true);
    const TextTable texts;
    for (auto _ : state) {
        benchmark::DoNotOptimize(exportTextReport(bench().folder(), "GRID5000.CSV", voice, texts));
    }
}
void BM_Export5000Disk(benchmark::State& state) {
    readBytes(state, {bench().path("GRID5000.CSV")});
}
BENCHMARK(BM_Export5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export5000Disk)->Unit(benchmark::kMillisecond);

void BM_Import5000(benchmark::State& state) {
    SilentVoice voice(true);
    const TextTable texts;
    for (auto _ : state) {
        benchmark::DoNotOptimize(importTextReport(bench().folder(), "GRID5000.DAT", voice, texts));
    }
}
void BM_Import5000Disk(benchmark::State& state) {
    readBytes(state, {bench().path("GRID5000.DAT")});
}
BENCHMARK(BM_Import5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import5000Disk)->Unit(benchmark::kMillisecond);

// 50 files; the row count grows to show that the merge grows linearly with it.
void BM_Merge50(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const std::vector<std::string> names = bench().mergeInputs(rows);
    SilentVoice voice(true);
    const TextTable texts;
    for (auto _ : state) {
        if (!mergeFiles(bench().mergeFolder(rows), names, "ALL", voice, texts).written) {
            state.SkipWithError("the merge was refused");
            break;
        }
    }
    state.SetComplexityN(rows);
}
void BM_Merge50Disk(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::vector<std::string> paths;
    for (const auto& name : bench().mergeInputs(rows)) {
        paths.push_back(joinPath(bench().mergeFolder(rows), name));
    }
    readBytes(state, paths);
}
BENCHMARK(BM_Merge50)
    ->RangeMultiplier(2)
    ->Range(8, 100)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Merge50Disk)->RangeMultiplier(2)->Range(8, 100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel

BENCHMARK_MAIN();
