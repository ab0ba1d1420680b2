// The view on every file of the generated sample set: each opens without a message, shows all
// its readings, and every reading can be selected.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <set>

#include "app/text_rules.h"
#include "datafile/number_text.h"
#include "dataview/dialog/cctwx.h"
#include "dataview/readings/reading_table.h"
#include "tests/dataview/view_file_builder.h"
#include "tools/sample_files.h"

namespace korvel::test {
namespace {

TEST(SampleFilesInTheView, EveryFileOpensAndEveryReadingCanBeSelected) {
    ViewFixture fixture;
    for (const auto& sample : samples::sampleSet()) {
        SCOPED_TRACE(sample.name);
        auto& view = fixture.openText(sample.bytes, sample.name);
        EXPECT_TRUE(fixture.voice.said.empty());
        const bool dataFile = endsWithNoCase(sample.name, ".CSV") && sample.bytes[0] != ',';
        if (!dataFile) {
            continue;  // a report or a merge grid: nothing to show, nothing to fail
        }
        const int rows = view.table().rowCount();
        EXPECT_EQ(rows, view.file().headerNumber("# ID"));
        const int step = rows > 500 ? 97 : 1;
        for (int row = 0; row < rows; row += step) {
            view.selectReading(row);
            ASSERT_EQ(view.selection().row, row);
            EXPECT_NE(view.chart()->model().title.find(" - ID # " + view.table().text(row, 0)),
                      std::string::npos);
        }
    }
}

TEST(SampleFilesInTheView, AScansShowEveryKindOfMarker) {
    ViewFixture fixture;
    std::set<int> shown;  // the marker, bracket and blanking slots drawn somewhere
    for (const auto& sample : samples::sampleSet()) {
        if (!endsWithNoCase(sample.name, ".CSV") || sample.bytes[0] == ',') {
            continue;
        }
        auto& view = fixture.openText(sample.bytes, sample.name);
        for (int row = 0; row < std::min(view.table().rowCount(), 200); ++row) {
            view.selectReading(row);
            for (const auto& [slot, series] : view.chart()->model().series) {
                if (slot < 2 || slot > 7 || !series.shown) {
                    continue;
                }
                shown.insert(slot);
                for (const double x : series.x) {
                    EXPECT_TRUE(x >= 0 && x <= 181) << sample.name << " row " << row;
                }
            }
        }
    }
    EXPECT_EQ(shown, (std::set<int>{2, 3, 4, 5, 6, 7}));
}

TEST(SampleFilesInTheView, BScanRunsShowTheirSegmentsMinAndDistance) {
    ViewFixture fixture;
    std::string bytes;
    for (const auto& sample : samples::sampleSet()) {
        if (sample.name == "BSCAN1.CSV") {
            bytes = sample.bytes;
        }
    }
    auto& view = fixture.openText(bytes, "BSCAN1.CSV");
    EXPECT_TRUE(view.bScanRadio()->isChecked());
    EXPECT_TRUE(view.minButton()->isVisible());
    ASSERT_EQ(view.bscanBook().segments.size(), 3u);
    EXPECT_EQ(view.bscanBook().segments[0].start, 0);
    EXPECT_EQ(view.bscanBook().segments[0].stop, 39);
    EXPECT_EQ(view.bscanBook().segments[0].bodyZero, 1);
    EXPECT_EQ(view.bscanBook().segments[1].start, 45);

    view.readingsList()->selectionModel()->setCurrentIndex(
        view.readingsList()->model()->index(50, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QCoreApplication::processEvents();
    ASSERT_EQ(view.selection().row, 50);
    EXPECT_TRUE(view.chart()->model().series.at(19).shown);
    EXPECT_EQ(view.chart()->model().series.at(10).x, std::vector<double>{5});
    // Four rows after the zero row 46, in steps of the setup's resolution.
    const std::string distance =
        "DT +" + fixedDecimals(4 * leadingDecimal(view.setupValues().bsResolution), 3);
    const std::string& title = view.chart()->model().title;
    EXPECT_EQ(title.substr(title.size() - distance.size()), distance);

    view.jumpToMin();
    EXPECT_EQ(view.selection().row, view.bscanBook().segments[1].firstMin);
    EXPECT_NE(view.chart()->model().title.find("(MIN)"), std::string::npos);
}

}  // namespace
}  // namespace korvel::test
