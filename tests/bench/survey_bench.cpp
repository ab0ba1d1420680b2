// Speed of the survey at a glance on the largest files: drawing the map of a 5000-reading grid
// and the line of a 5000-reading sequence (at most 30 ms), the statistics (at most 5 ms) and
// the comparison of two 5000-reading surveys (at most 20 ms). Offscreen.

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "dataview/survey/survey_map_painter.h"
#include "survey/survey_comparison.h"
#include "tools/sample_files.h"

namespace korvel {
namespace {

// 50 columns by 100 rows.
Survey grid5000(unsigned seed) {
    return surveyOf(samples::grid2D("G5000.CSV", 50, 100, "ROW", seed));
}

void drawMap(benchmark::State& state, const Survey& survey) {
    const SurveyStatistics statistics = surveyStatistics(survey);
    SurveyMapContent content;
    content.survey = &survey;
    content.statistics = &statistics;
    content.values = thicknesses(survey);
    content.outlined = statistics.whole.thickness.minimum->points;
    QImage image(1000, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        paintSurveyMap(painter, image.rect(), content, 0, 17);
    }
}

void BM_SurveyMapOf5000(benchmark::State& state) {
    drawMap(state, grid5000(31));
}

void BM_SurveyLineOf5000(benchmark::State& state) {
    drawMap(state, surveyOf(samples::largestThicknessOnly("BIG5000.CSV", 17)));
}

void BM_SurveyStatisticsOf5000(benchmark::State& state) {
    const Survey survey = grid5000(31);
    for (auto _ : state) {
        benchmark::DoNotOptimize(surveyStatistics(survey));
    }
}

void BM_SurveyLayoutAndStatisticsOf5000(benchmark::State& state) {
    const DataFile file = samples::grid2D("G5000.CSV", 50, 100, "ROW", 31);
    for (auto _ : state) {
        benchmark::DoNotOptimize(surveyStatistics(surveyOf(file)));
    }
}

void BM_SurveyCompare5000(benchmark::State& state) {
    const Survey earlier = grid5000(32);
    const Survey current = grid5000(31);
    for (auto _ : state) {
        benchmark::DoNotOptimize(layoutsMatch(earlier, current));
        benchmark::DoNotOptimize(compareSurveys(earlier, current, 0.1));
    }
}

BENCHMARK(BM_SurveyMapOf5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SurveyLineOf5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SurveyStatisticsOf5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SurveyLayoutAndStatisticsOf5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SurveyCompare5000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel
