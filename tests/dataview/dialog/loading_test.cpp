// Opening a file in the view: what it shows of each block, the faults of a plain walk through
// the blocks that it does not make, bad files and capacities.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include "dataview/dialog/cctwx.h"
#include "dataview/readings/reading_table.h"
#include "tests/dataview/view_file_builder.h"
#include "tests/support/unreadable_paths.h"

namespace korvel::test {
namespace {

class LoadingTest : public testing::Test {
  protected:
    ViewFixture fixture;
};

TEST_F(LoadingTest, ShowsReadingsSetupAndNoteOfTheFirstReading) {
    ViewFileBuilder file;
    file.reading({.note = "1"})
        .reading({.id = "0002", .thickness = "0.300"})
        .setup("1,IN,0.2330,1.000,0.010,STD,K-1,")
        .note("1,Weld seam,,North side,");
    auto& view = fixture.openText(file.text());

    EXPECT_TRUE(fixture.voice.said.empty());
    EXPECT_EQ(view.windowTitle(), "Data View - PIPE1.CSV");
    ASSERT_EQ(view.table().rowCount(), 2);
    ASSERT_EQ(view.table().columnCount(), 12);
    EXPECT_EQ(view.readingsList()->model()->headerData(1, Qt::Horizontal), "Thickness");
    EXPECT_EQ(columnTexts(view, 1), (std::vector<std::string>{"0.254", "0.300"}));
    EXPECT_EQ(view.readingsList()->model()->index(1, 0).data(Qt::UserRole).toInt(), 2);

    EXPECT_TRUE(view.selection().valid);
    EXPECT_EQ(view.selection().row, 0);
    EXPECT_EQ(view.readingsList()->currentIndex().row(), 0);
    ASSERT_EQ(view.setupList()->topLevelItemCount(), 6);
    EXPECT_EQ(view.setupList()->topLevelItem(0)->text(0), "Units");
    EXPECT_EQ(view.setupList()->topLevelItem(0)->text(1), "IN");
    EXPECT_EQ(view.setupList()->topLevelItem(5)->text(0), "Transducer");
    EXPECT_EQ(view.notes(), "Weld seam\r\nNorth side\r\n");
    EXPECT_EQ(view.notesText()->toPlainText(), "Weld seam\nNorth side\n");
    EXPECT_TRUE(view.notesText()->isReadOnly());
    EXPECT_TRUE(view.minButton()->isVisible()) << "MIN goes to the thinnest reading";
}

TEST_F(LoadingTest, UnreadableFileGivesOneMessageAndAnEmptyView) {
    for (const auto& kind : unreadableKinds()) {
        SCOPED_TRACE(kind.name);
        const std::string path = fixture.folder() + "/" + kind.name + ".CSV";
        kind.make(path);
        fixture.voice.said.clear();
        auto& view = fixture.open(path);
        EXPECT_EQ(fixture.voice.said,
                  (std::vector<Said>{{MessageKind::Error, "Error opening file - " + path}}));
        EXPECT_EQ(view.table().rowCount(), 0);
    }
}

TEST_F(LoadingTest, LongNoteScrollsAndDraggedColumnWidthsSurviveAResize) {
    ViewFileBuilder file;
    file.reading({.note = "1"})
        .setup("1,IN,0.2330,1.000,0.010,STD,K-1,")
        .noteColumns("Note #,L1,L2,L3,L4,L5,L6,L7,L8,")
        .note(
            "1,Heavy scale,cleaned with wire brush,pitting near the weld,depth checked,"
            "ladder needed,north flange,insulation removed,recheck next outage,");
    auto& view = fixture.openText(file.text());
    view.show();
    QApplication::processEvents();
    QPlainTextEdit* notes = view.notesText();
    EXPECT_EQ(notes->toPlainText(),
              "Heavy scale\ncleaned with wire brush\npitting near the weld\ndepth checked\nladder "
              "needed\nnorth flange\ninsulation removed\nrecheck next outage\n");
    // The last line is below the box at first; Ctrl+End brings it into the box.
    const QTextBlock lastBlock = notes->document()->findBlockByNumber(7);
    ASSERT_EQ(lastBlock.text(), "recheck next outage");
    const QTextCursor lastLine(lastBlock);
    EXPECT_FALSE(notes->viewport()->rect().contains(notes->cursorRect(lastLine)));
    QTest::keyClick(notes, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_TRUE(notes->viewport()->rect().contains(notes->cursorRect(lastLine)));

    // Drag the right edge of the first column 40 pixels to the right, as a person does.
    QHeaderView* header = view.readingsList()->horizontalHeader();
    const int before = header->sectionSize(0);
    const QPoint edge(header->sectionViewportPosition(0) + before - 1, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, edge);
    QMouseEvent drag(QEvent::MouseMove, QPointF(edge + QPoint(40, 0)),
                     header->viewport()->mapToGlobal(QPointF(edge + QPoint(40, 0))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(header->viewport(), &drag);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, edge + QPoint(40, 0));
    const int dragged = header->sectionSize(0);
    EXPECT_EQ(dragged, before + 40);
    const int second = header->sectionSize(1);
    view.resize(view.size() + QSize(200, 100));
    EXPECT_EQ(header->sectionSize(0), dragged);
    EXPECT_EQ(header->sectionSize(1), second);
}

TEST_F(LoadingTest, FileWithoutProductLineReadsTheSame) {
    ViewFileBuilder file;
    file.reading(Row{}).setup("1,MM,5.920,25.0,0.100,STD,K-1,");
    const std::string withProduct = file.text();
    const std::string without = withProduct.substr(withProduct.find("\r\n") + 2);
    auto& a = fixture.openText(withProduct, "A.CSV");
    auto& b = fixture.openText(without, "B.CSV");
    EXPECT_EQ(a.file().product, "40-102");
    EXPECT_EQ(b.file().product, "KQ-77");
    EXPECT_EQ(columnTexts(a, 0), columnTexts(b, 0));
    EXPECT_EQ(a.setupValues().units, "MM");
    EXPECT_EQ(b.setupValues().units, "MM");
}

TEST_F(LoadingTest, EmptyAndBlankFieldsShowAsDash) {
    ViewFileBuilder file;
    file.line(std::string(kReadingColumnLine)).line("0001,,IN, ,OFF,STD,OFF,0,1,STD,OFF,OFF,");
    file.readingCount(1);
    auto& view = fixture.openText(file.text());
    ASSERT_EQ(view.table().rowCount(), 1);
    EXPECT_EQ(view.table().textOf(0, "Thickness"), "-");
    EXPECT_EQ(view.table().textOf(0, "Alarm"), "-");
}

TEST_F(LoadingTest, ReadingCountZeroStillReadsSetupsAndNotes) {
    ViewFileBuilder file;
    file.readingCount(0).setup("1,IN,0.2330,1.000,0.010,STD,K-1,").note("1,Text,");
    auto& view = fixture.openText(file.text());
    EXPECT_EQ(view.table().rowCount(), 0);
    EXPECT_EQ(view.file().setups.size(), 1u);
    EXPECT_EQ(view.file().notes.size(), 1u);
    EXPECT_FALSE(view.selection().valid);
    EXPECT_EQ(view.chart()->model().title, "PIPE1.CSV - ID # ");
}

TEST_F(LoadingTest, FileThatCannotBeOpenedSaysSoOnceAndShowsAnEmptyView) {
    const std::string path = fixture.folder() + "/MISSING.CSV";
    auto& view = fixture.open(path);
    ASSERT_EQ(fixture.voice.said.size(), 1u);
    EXPECT_EQ(fixture.voice.said[0], (Said{MessageKind::Error, "Error opening file - " + path}));
    EXPECT_EQ(view.table().rowCount(), 0);
    EXPECT_EQ(view.table().columnCount(), 0);
    EXPECT_EQ(view.setupList()->topLevelItemCount(), 0);
    EXPECT_EQ(view.windowTitle(), "Data View - MISSING.CSV");
    EXPECT_GE(view.chart()->drawCount(), 1);
}

TEST_F(LoadingTest, LaterWaveformsAreReadAfterABScanRowWithoutOne) {
    ViewFileBuilder file;
    file.reading({.bscan = "START"})
        .reading({.id = "0002", .bscan = "STOP"})
        .reading({.id = "0003", .ascan = "ON"});
    file.waveform(ramp(180), ramp(180, 1), "DELAY=0.000,RANGE=1.000,").reading({.id = "0004"});
    auto& view = fixture.openText(file.text());
    EXPECT_EQ(columnTexts(view, 0), (std::vector<std::string>{"0001", "0002", "0003", "0004"}));
    ASSERT_TRUE(view.table().reading(2).ascan.has_value());
    EXPECT_EQ(view.table().reading(2).ascan->max.values.size(), 180u);
    EXPECT_EQ(view.table().reading(2).ascan->settings[1], "RANGE=1.000");
}

TEST_F(LoadingTest, ColumnLineAfterTheLastWaveformIsNotTheSetupHeader) {
    ViewFileBuilder file;
    file.reading({.ascan = "ON"}).waveform(ramp(180), ramp(180), "DELAY=0.000,");
    file.line(std::string(kReadingColumnLine));  // the gauge writes the column line once more
    file.setup("1,IN,0.2330,1.000,0.010,STD,K-1,");
    auto& view = fixture.openText(file.text());
    EXPECT_EQ(view.file().setupColumns.front(), "Setup #");
    ASSERT_EQ(view.setupList()->topLevelItemCount(), 6);
    EXPECT_EQ(view.setupList()->topLevelItem(2)->text(1), "1.000");
}

TEST_F(LoadingTest, BlankLinesBeforeHeadersAreSkipped) {
    const std::string text =
        "Filename,Type,# ID,# Setup,# Notes,\n"
        "A.CSV,LINEAR,2,1,1,\n"
        "\n\n\n" +
        std::string(kReadingColumnLine) + "\n" +
        "0001,0.100,IN,OFF,OFF,STD,OFF,1,1,STD,OFF,OFF,\n"
        "0002,0.200,IN,OFF,OFF,STD,OFF,1,1,STD,OFF,OFF,\n"
        "\n\n\nSetup #,Units,BS Range,\n"
        "1,MM,2.5,\n"
        "\n\n\nNote #,Text,\n"
        "1,Hello,\n";
    auto& view = fixture.openText(text);
    EXPECT_EQ(columnTexts(view, 0), (std::vector<std::string>{"0001", "0002"}));
    EXPECT_EQ(view.setupValues().units, "MM");
    EXPECT_EQ(view.notes(), "Hello\r\n");
}

TEST_F(LoadingTest, ShortTraceEndsAtTheFirstLineThatIsNotATraceLine) {
    ViewFileBuilder file;
    file.reading({.ascan = "ON"})
        .waveform(ramp(20), ramp(20, 5), "DELAY=0.250,RANGE=1.000,MARKER1=7,");
    file.reading({.id = "0002"});
    auto& view = fixture.openText(file.text());
    ASSERT_EQ(view.table().rowCount(), 2);
    const auto& ascan = *view.table().reading(0).ascan;
    EXPECT_EQ(ascan.max.values.size(), 20u);
    EXPECT_EQ(ascan.min.values.size(), 20u);
    EXPECT_EQ(ascan.min.values.front(), "5");
    EXPECT_EQ(ascan.settings.size(), 3u);
    EXPECT_EQ(view.table().text(1, 0), "0002");
}

TEST_F(LoadingTest, EndOfFileInsideATraceStopsLoading) {
    const std::string text = "Filename,Type,# ID,# Setup,# Notes,\nA.CSV,LINEAR,3,1,1,\n\n" +
                             std::string(kReadingColumnLine) +
                             "\n0001,0.100,IN,OFF,OFF,STD,OFF,0,1,STD,OFF,ON,\n"
                             ",Max Data,0,10,18,\n,1,2,3,";
    auto& view = fixture.openText(text);
    ASSERT_EQ(view.table().rowCount(), 1);
    EXPECT_FALSE(view.table().reading(0).ascan.has_value());
    EXPECT_EQ(view.chart()->model().series.at(0).x.size(), 0u);
}

TEST_F(LoadingTest, MissingRowsAndShortRowsGiveEmptyTexts) {
    ViewFileBuilder file;
    file.reading({.note = "9", .setup = "7"})
        .line("0002,0.1,")
        .reading({.id = "0003"})
        .readingCount(3)
        .setup("1,IN,");
    auto& view = fixture.openText(file.text());
    EXPECT_EQ(view.setupList()->topLevelItemCount(), 0);
    EXPECT_EQ(view.notes(), "");
    ASSERT_EQ(view.table().rowCount(), 3);
    EXPECT_EQ(view.table().textOf(1, "Units"), "");
    EXPECT_EQ(view.table().textOf(1, "A Scan"), "");

    view.selectReading(1);
    EXPECT_EQ(view.setupList()->topLevelItemCount(), 0);

    // A setup row shorter than its header lists the missing values empty.
    view.selectReading(2);
    ASSERT_EQ(view.setupList()->topLevelItemCount(), 6);
    EXPECT_EQ(view.setupList()->topLevelItem(0)->text(1), "IN");
    EXPECT_EQ(view.setupList()->topLevelItem(3)->text(1), "");
}

TEST_F(LoadingTest, ShortOrMissingHeaderValuesGiveAnEmptyTable) {
    const std::string rest = "\n" + std::string(kReadingColumnLine) +
                             "\n0001,0.100,IN,OFF,OFF,STD,OFF,0,1,STD,OFF,OFF,\n";
    const std::string names = "Filename,Type,Start Row,End Row,# ID,# Setup,# Notes,\n";
    for (const std::string& values : {std::string("A.CSV,LINEAR,1,\n"), std::string("\n")}) {
        auto& view = fixture.openText(names + values + rest);
        EXPECT_EQ(view.table().rowCount(), 0);
        EXPECT_FALSE(view.selection().valid);
    }
    EXPECT_TRUE(fixture.voice.said.empty());
}

TEST_F(LoadingTest, ColumnLineWithoutTheNamedColumnsReadsThemAsEmpty) {
    const std::string text =
        "Filename,Type,# ID,# Setup,# Notes,\nA.CSV,LINEAR,1,1,0,\n\nID,Thickness,\n"
        "0001,0.100,\n\nSetup #,Units,\n1,IN,\n";
    auto& view = fixture.openText(text);
    ASSERT_EQ(view.table().rowCount(), 1);
    EXPECT_EQ(view.selection().setupNumber, "");
    EXPECT_EQ(view.setupList()->topLevelItemCount(), 0);
    EXPECT_EQ(view.chart()->model().title, "PIPE1.CSV - ID # 0001 THK 0.100  ");
}

TEST_F(LoadingTest, CapacitiesBoundWhatAFileCanMakeTheViewHold) {
    ViewFileBuilder file;
    for (int i = 0; i < 5010; ++i) {
        Row row;
        row.id = std::to_string(i);
        row.bscan = i % 2 == 0 ? "START" : "STOP";
        file.reading(row);
    }
    for (int i = 0; i < 25; ++i) {
        file.setup(std::to_string(i + 1) + ",IN,");
        file.note(std::to_string(i + 1) + ",Text,");
    }
    auto& view = fixture.openText(file.text());
    EXPECT_EQ(view.table().rowCount(), 5000);
    EXPECT_EQ(view.file().setups.size(), 20u);
    EXPECT_EQ(view.file().notes.size(), 20u);
    EXPECT_EQ(view.bscanBook().segments.size(), 100u);
    EXPECT_EQ(view.bscanBook().segments.back().start, 198);
    EXPECT_EQ(view.bscanBook().segments.back().stop, 199);
}

TEST_F(LoadingTest, TheViewSaysWhatItShows) {
    ViewFileBuilder file;
    file.reading({.bscan = "START"})
        .reading({.id = "0002", .bscan = "STOP"})
        .reading({.id = "0003"});
    auto& view = fixture.openText(file.text(), "A.CSV");
    EXPECT_TRUE(view.bScanRadio()->isChecked());
    EXPECT_EQ(view.chart()->model().notice, "");
    // A reading without a cross-section shows its A-scan, and the choice says so; it has no
    // waveform stored, and the chart says that instead of showing an empty plot.
    view.selectPoint(2);
    EXPECT_TRUE(view.aScanRadio()->isChecked());
    EXPECT_FALSE(view.bScanRadio()->isChecked());
    EXPECT_EQ(view.chart()->model().notice, "No waveform stored");
    view.selectPoint(0);
    EXPECT_TRUE(view.bScanRadio()->isChecked());
    EXPECT_FALSE(view.aScanRadio()->isChecked());

    auto& empty = fixture.openText(ViewFileBuilder().readingCount(0).text(), "B.CSV");
    EXPECT_EQ(empty.table().rowCount(), 0);
    EXPECT_EQ(empty.chart()->model().notice, "No readings have been taken in this file yet.");
}

// MIN shows for a MIN row or a reading with a value, so not for a file of holes alone.
TEST_F(LoadingTest, BScanFileChoosesTheCrossSectionAndShowsMinWithSomewhereToGo) {
    const Row start{.thickness = "--.---", .bscan = "START"};
    Row stop{.id = "0002", .thickness = "--.---", .bscan = "STOP"};
    ViewFileBuilder holes;
    holes.reading(start).reading(stop);
    auto& without = fixture.openText(holes.text(), "A.CSV");
    EXPECT_TRUE(without.bScanRadio()->isChecked());
    EXPECT_FALSE(without.aScanRadio()->isChecked());
    EXPECT_FALSE(without.minButton()->isVisible());

    stop.bscan = "STOP MIN";
    ViewFileBuilder withMin;
    withMin.reading(start).reading(stop);
    auto& with = fixture.openText(withMin.text(), "B.CSV");
    EXPECT_TRUE(with.minButton()->isVisible());
    EXPECT_EQ(with.bscanBook().minTarget, 1);
}

}  // namespace
}  // namespace korvel::test
