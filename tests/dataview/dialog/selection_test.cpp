// Selecting readings with the mouse and the keyboard, sorting, the MIN jump and the display
// mode.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "dataview/dialog/cctwx.h"
#include "dataview/dialog/list_header_ctrl.h"
#include "dataview/readings/reading_table.h"
#include "tests/dataview/view_file_builder.h"

namespace korvel::test {
namespace {

void clickRow(DataViewDialog& view, int row, Qt::KeyboardModifiers modifiers = {}) {
    QTableView* list = view.readingsList();
    const QRect cell = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, cell.center());
    QCoreApplication::processEvents();
}

void clickHeader(DataViewDialog& view, int column) {
    CListHeaderCtrl* header = view.readingsHeader();
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

void press(DataViewDialog& view, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(view.readingsList(), key, modifiers);
    QCoreApplication::processEvents();
}

// Four readings with setups and notes of their own.
std::string fourReadings() {
    ViewFileBuilder file;
    const char* thickness[] = {"0.400", "0.100", "0.300", "0.200"};
    const char* units[] = {"IN", "mm", "MM", "in"};
    for (int i = 0; i < 4; ++i) {
        Row row;
        row.id = "000" + std::to_string(i + 1);
        row.thickness = thickness[i];
        row.units = units[i];
        row.setup = std::to_string(i % 2 + 1);
        row.note = std::to_string(i);
        file.reading(row);
    }
    file.setup("1,IN,0.2330,1.000,0.010,STD,K-1,").setup("2,MM,5.920,,0.100,C3,,");
    file.note("1,First,,Third,").note("2,,Second only,,").note("3,Three,");
    return file.text();
}

class SelectionTest : public testing::Test {
  protected:
    ViewFixture fixture;
};

TEST_F(SelectionTest, ClickingARowShowsItsSetupNoteAndGraph) {
    auto& view = fixture.openText(fourReadings());
    clickRow(view, 1);
    EXPECT_EQ(view.selection().row, 1);
    EXPECT_EQ(view.selection().id, "0002");
    EXPECT_EQ(view.notes(), "First\r\nThird\r\n");  // empty note fields are left out
    ASSERT_EQ(view.setupList()->topLevelItemCount(), 6);
    EXPECT_EQ(view.setupList()->topLevelItem(2)->text(0), "BS Range");
    EXPECT_EQ(view.setupList()->topLevelItem(2)->text(1), "");  // empty values are listed too
    EXPECT_EQ(view.setupList()->topLevelItem(4)->text(1), "C3");
    // An empty setup value keeps the one of an earlier selection.
    EXPECT_EQ(view.setupValues().bsRange, "1.000");
    EXPECT_EQ(view.setupValues().units, "MM");
    EXPECT_EQ(view.chart()->model().title, "PIPE1.CSV - ID # 0002 THK 0.100 MM ");

    clickRow(view, 2);
    EXPECT_EQ(view.notes(), "Second only\r\n");
    clickRow(view, 0);
    EXPECT_EQ(view.notes(), "");  // note 0: no note
}

TEST_F(SelectionTest, NothingChangesWhileTwoOrMoreRowsAreSelected) {
    auto& view = fixture.openText(fourReadings());
    clickRow(view, 1);
    const int draws = view.chart()->drawCount();
    const std::string notes = view.notes();
    clickRow(view, 3, Qt::ControlModifier);
    EXPECT_EQ(view.readingsList()->selectionModel()->selectedRows().size(), 2);
    press(view, Qt::Key_Down, Qt::ShiftModifier);
    press(view, Qt::Key_Up, Qt::ShiftModifier);
    clickRow(view, 0, Qt::ControlModifier);
    view.selectReading(0);
    EXPECT_EQ(view.selection().row, 1);
    EXPECT_EQ(view.notes(), notes);
    EXPECT_EQ(view.chart()->drawCount(), draws);
}

TEST_F(SelectionTest, ArrowKeysMoveTheSelectionWithinTheTable) {
    auto& view = fixture.openText(fourReadings());
    const int draws = view.chart()->drawCount();
    press(view, Qt::Key_Up);  // row 0: nothing above
    EXPECT_EQ(view.selection().row, 0);
    EXPECT_EQ(view.chart()->drawCount(), draws);
    press(view, Qt::Key_Down);
    press(view, Qt::Key_Down);
    EXPECT_EQ(view.selection().id, "0003");
    EXPECT_EQ(view.chart()->drawCount(), draws + 2);
    press(view, Qt::Key_Down);
    press(view, Qt::Key_Down);  // last row: nothing below
    EXPECT_EQ(view.selection().id, "0004");
    EXPECT_EQ(view.chart()->drawCount(), draws + 3);
    press(view, Qt::Key_Up);
    EXPECT_EQ(view.selection().id, "0003");
}

TEST_F(SelectionTest, SortingFollowsTheClicksOnTheHeader) {
    auto& view = fixture.openText(fourReadings());
    EXPECT_EQ(view.readingsHeader()->sortColumn(), 0);
    EXPECT_FALSE(view.readingsHeader()->ascending());

    struct Step {
        int column;
        bool ascending;
        std::vector<std::string> ids;
    };
    const Step steps[] = {
        {2, true, {"0001", "0004", "0002", "0003"}},   // IN, in, mm, MM without regard to case
        {2, false, {"0002", "0003", "0001", "0004"}},  // equal texts keep their order
        {0, false, {"0004", "0003", "0002", "0001"}},  // column 0 starts descending
        {0, true, {"0001", "0002", "0003", "0004"}},  {1, true, {"0002", "0004", "0003", "0001"}},
    };
    for (const Step& step : steps) {
        clickHeader(view, step.column);
        EXPECT_EQ(view.sortColumn(), step.column);
        EXPECT_EQ(view.sortAscending(), step.ascending);
        EXPECT_EQ(view.readingsHeader()->sortColumn(), step.column);
        EXPECT_EQ(view.readingsHeader()->ascending(), step.ascending);
        EXPECT_EQ(columnTexts(view, 0), step.ids) << step.column;
    }
}

TEST_F(SelectionTest, HolesSortLastInBothDirections) {
    ViewFileBuilder file;
    const char* thickness[] = {"--.---", "0.400", "", "0.100", "0.300"};
    for (int i = 0; i < 5; ++i) {
        Row row;
        row.id = "000" + std::to_string(i + 1);
        row.thickness = thickness[i];
        file.reading(row);
    }
    auto& view = fixture.openText(file.text());
    const struct {
        bool ascending;
        std::vector<std::string> ids;
    } sorts[] = {
        {true, {"0004", "0005", "0002", "0001", "0003"}},
        {false, {"0002", "0005", "0004", "0001", "0003"}},
    };
    for (const auto& sort : sorts) {
        clickHeader(view, 1);
        ASSERT_EQ(view.sortAscending(), sort.ascending);
        EXPECT_EQ(columnTexts(view, 0), sort.ids) << sort.ascending;
    }
}

TEST_F(SelectionTest, SortedRowsKeepTheirSelectionAndTheGraphItsReading) {
    ViewFileBuilder file;
    for (int i = 0; i < 3; ++i) {
        Row row;
        row.id = "000" + std::to_string(3 - i);
        row.ascan = "ON";
        file.reading(row).waveform(ramp(180, i * 10), ramp(180), "DELAY=0.000,");
    }
    auto& view = fixture.openText(file.text());
    clickRow(view, 0);
    const auto envelope = view.chart()->model().series.at(0).y;
    view.sortByColumn(0);  // ascending: the selected "0003" moves to the end
    EXPECT_EQ(view.selection().row, 2);
    EXPECT_EQ(view.readingsList()->selectionModel()->selectedRows().at(0).row(), 2);
    view.chooseAScan();
    EXPECT_EQ(view.chart()->model().series.at(0).y, envelope);
}

TEST_F(SelectionTest, BScanFilesAreNeverSorted) {
    ViewFileBuilder file;
    file.reading({.id = "0002", .bscan = "START"}).reading({.id = "0001", .bscan = "STOP"});
    auto& view = fixture.openText(file.text());
    clickHeader(view, 0);
    clickHeader(view, 1);
    EXPECT_EQ(view.table().text(0, 0), "0002");
    EXPECT_EQ(view.readingsHeader()->sortColumn(), -1);
}

// Segment 0-4 with its MIN row at 2, segment 5-9 with its MIN row at 7, row 10 in none; the
// file's thinnest reading is row 8 (0.201), row 9 a hole.
std::string twoSegmentsWithMin() {
    ViewFileBuilder file;
    const char* kinds[] = {"START", "BODY",     "BODY MIN", "BODY", "STOP", "START",
                           "BODY",  "BODY MIN", "BODY",     "STOP", "OFF"};
    for (int i = 0; i < 11; ++i) {
        Row row;
        row.id = std::to_string(1000 + i);
        row.bscan = kinds[i];
        row.thickness = i == 8 ? "0.201" : i == 9 ? "--.---" : "0.254";
        file.reading(row);
    }
    file.setup("1,IN,0.2330,1.000,0.010,STD,K-1,");
    return file.text();
}

// MIN goes to the MIN row of the segment holding the selection, anywhere else to the file's
// thinnest reading (never to the last segment's target).
TEST_F(SelectionTest, MinJumpsToTheSegmentsMinRowElseToTheFilesThinnestReading) {
    auto& view = fixture.openText(twoSegmentsWithMin(), "B.CSV");
    EXPECT_TRUE(view.minButton()->isVisible());
    for (const auto& [from, to] : {std::pair{10, 8}, {6, 7}, {10, 8}, {4, 2}}) {
        clickRow(view, from);
        view.jumpToMin();
        EXPECT_EQ(view.selection().row, to) << "from " << from;
        EXPECT_EQ(view.readingsList()->currentIndex().row(), to);
        EXPECT_EQ(view.readingsList()->selectionModel()->selectedRows().size(), 1);
    }
}

TEST_F(SelectionTest, RadiosOfferTheWaveformOnlyForBScanRowsWithOne) {
    ViewFileBuilder file;
    file.reading({.bscan = "START", .ascan = "ON"})
        .waveform(ramp(180), ramp(180), "DELAY=0.000,")
        .reading({.id = "0002", .bscan = "STOP"});
    file.setup("1,IN,0.2330,1.000,0.010,STD,K-1,");
    auto& view = fixture.openText(file.text());
    EXPECT_TRUE(view.aScanRadio()->isEnabled());
    EXPECT_TRUE(view.bScanRadio()->isChecked());
    EXPECT_FALSE(view.chart()->model().series.at(0).shown);

    QTest::mouseClick(view.aScanRadio(), Qt::LeftButton);
    EXPECT_TRUE(view.displayMode().ascanChoice);
    EXPECT_FALSE(view.bScanRadio()->isChecked());
    EXPECT_TRUE(view.chart()->model().series.at(0).shown);
    EXPECT_FALSE(view.chart()->model().series.at(19).shown);

    clickRow(view, 1);
    EXPECT_FALSE(view.aScanRadio()->isEnabled());
    EXPECT_FALSE(view.bScanRadio()->isEnabled());
}

TEST_F(SelectionTest, FirstReadingWithoutWaveformOrBScanChoosesTheCrossSection) {
    ViewFileBuilder file;
    file.reading(Row{});
    auto& view = fixture.openText(file.text());
    EXPECT_TRUE(view.displayMode().bscanChoice);
    EXPECT_FALSE(view.displayMode().initialSelection);
}

}  // namespace
}  // namespace korvel::test
