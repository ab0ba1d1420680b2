// A location's trend as the chart model that the history page and the history report paint:
// its values, lines, reach date, notice and axes for the size it is laid out for.

#include <gtest/gtest.h>

#include <QDate>
#include <set>

#include "app/text_table.h"
#include "dataview/chart/chart_painter.h"
#include "report/history_trend.h"
#include "survey/survey_date.h"

namespace korvel::test {
namespace {

using history::DatedValue;

long long minutesOf(int year) {
    return QDate(1970, 1, 1).daysTo(QDate(year, 1, 1)) * 24 * 60;
}

struct Case {
    const char* what;
    std::vector<std::optional<double>> values;  // 2020, 2022, 2024, in inches
    int excluded = -1;
    double rate = 0.0125;  // the governing rate, inches a year
    ThicknessUnits shown = ThicknessUnits::Inches;
    QSizeF size{420, 260};
    std::set<int> drawn;           // the series shown
    std::optional<int> reachYear;  // the year the rate reaches the required
    std::optional<double> required = 0.1;
};

TEST(HistoryTrend, TheModelHoldsTheValuesTheirLinesAndAxesThatFit) {
    const std::set<int> all = {kTrendRequired,  kTrendReach,      kTrendReachDate, kTrendLongTerm,
                               kTrendShortTerm, kTrendRegression, kTrendValues,    kTrendSelected};
    const Case cases[] = {
        {"three values",
         {0.3, 0.28, 0.25},
         -1,
         0.0125,
         ThicknessUnits::Inches,
         {420, 260},
         all,
         2036},
        {"narrow, in millimetres",
         {0.3, 0.28, 0.25},
         -1,
         0.0125,
         ThicknessUnits::Millimetres,
         {300, 200},
         all,
         2036},
        {"one left out",
         {0.3, 0.28, 0.25},
         1,
         0.02,
         ThicknessUnits::Inches,
         {420, 260},
         {kTrendRequired, kTrendReach, kTrendReachDate, kTrendLongTerm, kTrendValues,
          kTrendExcluded, kTrendSelected},
         2031},
        // Reached after 150 years: the line is cut at 30, the date still named.
        {"slow rate",
         {0.3, 0.28, 0.25},
         -1,
         0.001,
         ThicknessUnits::Inches,
         {420, 260},
         {kTrendRequired, kTrendReach, kTrendLongTerm, kTrendShortTerm, kTrendRegression,
          kTrendValues, kTrendSelected},
         2174},
        {"below required",
         {0.3, 0.2, 0.09},
         -1,
         0.0525,
         ThicknessUnits::Inches,
         {420, 260},
         {kTrendRequired, kTrendLongTerm, kTrendShortTerm, kTrendRegression, kTrendValues,
          kTrendSelected},
         std::nullopt},
        {"no required thickness",
         {0.3, std::nullopt, 0.25},
         -1,
         0.0125,
         ThicknessUnits::Inches,
         {420, 260},
         {kTrendLongTerm, kTrendValues, kTrendSelected},
         std::nullopt,
         std::nullopt},
        {"holes only",
         {std::nullopt, std::nullopt},
         -1,
         0.0125,
         ThicknessUnits::Inches,
         {420, 260},
         {},
         std::nullopt},
    };
    const TrendTexts texts = trendTexts(TextTable());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        history::LocationHistory location{"IN", {}};
        history::LocationFigures figures;
        figures.location = "0002";
        std::vector<DatedValue> counted;
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            const long long date = minutesOf(2020 + 2 * static_cast<int>(i));
            const bool excluded = static_cast<int>(i) == c.excluded;
            location.points.push_back({100 + static_cast<long long>(i), date, c.values[i], excluded,
                                       excluded ? "weld" : ""});
            if (c.values[i] && !excluded) {
                counted.push_back({100 + static_cast<long long>(i), date, *c.values[i]});
            }
        }
        figures.values = static_cast<int>(counted.size());
        if (!counted.empty()) {
            figures.initial = counted.front();
            figures.actual = counted.back();
            figures.previous = counted.size() > 1 ? counted[counted.size() - 2] : counted.back();
            figures.governingRate = c.rate;
        }
        const LocationTrend trend =
            locationTrend({location, figures, c.required, c.shown}, texts, c.size);
        const ChartModel& chart = trend.chart;
        std::set<int> shown;
        for (const auto& [slot, series] : chart.series) {
            if (series.shown) {
                shown.insert(slot);
            }
        }
        EXPECT_EQ(shown, c.drawn);
        const double factor = c.shown == ThicknessUnits::Millimetres ? 25.4 : 1.0;
        const std::string units = c.shown == ThicknessUnits::Millimetres ? "MM" : "IN";
        EXPECT_EQ(chart.title, "0002 (" + units + ")");
        if (c.drawn.empty()) {
            EXPECT_EQ(chart.notice, "No values at this location.");
            EXPECT_TRUE(trend.values.empty());
            EXPECT_FALSE(chart.axes[kAxisBottom].shown);
            continue;
        }
        // Every value, with the one left out apart and the latest ringed.
        ASSERT_EQ(trend.values.size(), counted.size() + (c.excluded >= 0 ? 1 : 0));
        EXPECT_EQ(chart.series.at(kTrendValues).y.size(), counted.size());
        EXPECT_DOUBLE_EQ(chart.series.at(kTrendValues).y.back(), counted.back().value * factor);
        EXPECT_EQ(trend.selected, static_cast<int>(trend.values.size()) - 1);
        if (c.excluded >= 0) {
            EXPECT_EQ(chart.series.at(kTrendExcluded).name, "Excluded");
            EXPECT_EQ(trend.values[1].note, "weld");
        }
        if (c.required) {
            EXPECT_DOUBLE_EQ(chart.series.at(kTrendRequired).y[0], *c.required * factor);
        }
        if (c.reachYear) {
            ASSERT_TRUE(trend.reachMinutes);
            EXPECT_EQ(isoDateText(*trend.reachMinutes).substr(0, 4), std::to_string(*c.reachYear));
            EXPECT_EQ(chart.series.at(kTrendReach).name,
                      "Reaches required " + isoDateText(*trend.reachMinutes));
            EXPECT_LE(chart.series.at(kTrendReach).x[1], minutesOf(2055));
        } else {
            EXPECT_FALSE(trend.reachMinutes);
        }
        // The axes hold every point drawn, and their labels have room at this size.
        const ChartAxis& bottom = chart.axes[kAxisBottom];
        const ChartAxis& left = chart.axes[kAxisLeft];
        for (const auto& [slot, series] : chart.series) {
            for (std::size_t i = 0; i < series.x.size(); ++i) {
                EXPECT_GE(series.x[i], bottom.low) << slot;
                EXPECT_LE(series.x[i], bottom.high) << slot;
                EXPECT_GE(series.y[i], left.low - 1e-9) << slot;
                EXPECT_LE(series.y[i], left.high + 1e-9) << slot;
            }
        }
        ASSERT_GE(bottom.ticks.size(), 2u);
        ASSERT_GE(left.ticks.size(), 3u);
        for (std::size_t i = 1; i < bottom.ticks.size(); ++i) {
            EXPECT_GE(chartPosition(chart, c.size, bottom.ticks[i].value, 0).x() -
                          chartPosition(chart, c.size, bottom.ticks[i - 1].value, 0).x(),
                      34);
            EXPECT_EQ(bottom.ticks[i].label, isoDateText(bottom.ticks[i].value).substr(0, 4));
        }
        for (std::size_t i = 1; i < left.ticks.size(); ++i) {
            EXPECT_GE(chartPosition(chart, c.size, 0, left.ticks[i - 1].value).y() -
                          chartPosition(chart, c.size, 0, left.ticks[i].value).y(),
                      13);
        }
    }
}

}  // namespace
}  // namespace korvel::test
