// The data view's tools: thicknesses shown in the other units in the table, the map, the
// figures, the comparison and the report (the file unchanged); the thinnest readings with a
// double-click to one; and the next survey of the layout handed to whoever makes it.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "app/safe_file.h"
#include "dataview/survey/survey_map.h"
#include "dataview/survey/survey_panel.h"
#include "dataview/survey/thinnest_dialog.h"
#include "tests/dataview/view_file_builder.h"
#include "tests/report/pdf_text.h"
#include "tests/survey/survey_fixtures.h"

namespace korvel::test {
namespace {

class ViewToolsTest : public testing::Test {
  protected:
    DataViewDialog& open() {
        fixture.write("G-OLD.CSV", earlierGrid());
        path = fixture.write("G-NOW.CSV", currentGrid());
        DataViewDialog& view = fixture.open(path);
        view.resize(1000, 700);
        return view;
    }
    // The table's text as the list shows it.
    static std::string cell(DataViewDialog& view, int row, int column) {
        return view.readingsList()->model()->index(row, column).data().toString().toStdString();
    }
    static void chooseUnits(DataViewDialog& view, Qt::Key key) {
        view.unitsBox()->setFocus();
        QTest::keyClick(view.unitsBox(), key);
        QCoreApplication::processEvents();
    }
    ViewFixture fixture;
    std::string path;
};

TEST_F(ViewToolsTest, MillimetresAreShownEverywhereAndTheFileStaysAsItWas) {
    DataViewDialog& view = open();
    SurveyPanel& panel = *view.surveyPanel();
    ASSERT_TRUE(panel.compareWith("G-OLD.CSV", 0.2));
    EXPECT_EQ(view.unitsBox()->currentText(), "IN");
    const std::string before = readFileBytes(path).value_or("");
    const QPoint lastCell = SurveyMapGeometry(panel.map()->rect(), panel.map()->content(), 0,
                                              panel.map()->fontMetrics())
                                .cell(1, 2)
                                .center()
                                .toPoint();
    const struct {
        Qt::Key key;
        const char* thickness;  // A0001
        const char* units;
        const char* hole;  // A0002
        const char* loss;  // on the map at C0002: 0.220 now, 0.210 before
        const char* minimum;
    } cases[] = {
        {Qt::Key_Down, "6.35", "MM", "--.---", "C0002: -0.254 MM", "5.080 MM"},
        {Qt::Key_Up, "0.250", "IN", "--.---", "C0002: -0.010 IN", "0.200 IN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.units);
        chooseUnits(view, c.key);
        EXPECT_EQ(view.unitsBox()->currentText().toStdString(), c.units);
        EXPECT_EQ(cell(view, 0, 1), c.thickness);
        EXPECT_EQ(cell(view, 0, 2), c.units);
        EXPECT_EQ(cell(view, 1, 1), c.hole);
        EXPECT_EQ(panel.map()->hoverText(lastCell).toStdString(), c.loss);
        EXPECT_NE(panel.statisticsText()->text().indexOf(c.minimum), -1)
            << panel.statisticsText()->text().toStdString();
    }
    chooseUnits(view, Qt::Key_Down);
    panel.showThickness();
    EXPECT_EQ(panel.map()->hoverText(lastCell).toStdString(), "C0002: 5.588 MM");
    EXPECT_NE(panel.statisticsText()->text().indexOf("4.572 MM (B0001, C0001)"), -1);
    EXPECT_EQ(view.selection().thickness, "0.250");  // the chart keeps the file's own texts

    view.setSavePathSource([&](const QString&, const QString&, const QString&) {
        return qPath(fixture.folder() + "/mm.pdf");
    });
    view.saveReport();
    const std::string text =
        run("pdftotext", {"-layout", qPath(fixture.folder() + "/mm.pdf"), "-"});
    for (const char* part : {"A0001", "6.35", "4.572 MM (B0001, C0001)"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(text.find("0.250"), std::string::npos);
    EXPECT_EQ(readFileBytes(path).value_or(""), before);
    EXPECT_TRUE(fixture.voice.said.empty());
}

TEST_F(ViewToolsTest, ThinnestListsTheLowestAndADoubleClickGoesToTheReading) {
    DataViewDialog& view = open();
    QTest::mouseClick(view.thinnestButton(), Qt::LeftButton);
    ThinnestDialog* thinnest = view.thinnestDialog();
    ASSERT_NE(thinnest, nullptr);
    EXPECT_TRUE(thinnest->isVisible());
    const auto rowText = [&](int row) {
        const QTreeWidgetItem* item = thinnest->list()->topLevelItem(row);
        return (item->text(0) + " " + item->text(1) + " " + item->text(2)).toStdString();
    };
    ASSERT_EQ(thinnest->list()->topLevelItemCount(), 5);  // the hole is not among them
    EXPECT_EQ(rowText(0), "1 B0001 0.180 IN");
    EXPECT_EQ(rowText(1), "2 C0001 0.180 IN");
    EXPECT_EQ(rowText(2), "3 C0002 0.220 IN");
    thinnest->countBox()->setValue(2);
    EXPECT_EQ(thinnest->list()->topLevelItemCount(), 2);

    QTreeWidget& list = *thinnest->list();
    const QRect second = list.visualItemRect(list.topLevelItem(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second.center());
    QCoreApplication::processEvents();
    EXPECT_EQ(view.readingsList()->currentIndex().row(), 4);
    EXPECT_EQ(view.selection().id, "C0001");

    view.setUnits(ThicknessUnits::Millimetres);
    EXPECT_EQ(rowText(0), "1 B0001 4.57 MM");
}

TEST_F(ViewToolsTest, NewSurveyFromThisHandsOnTheLayoutUnderAFreeName) {
    DataViewDialog& view = open();
    EXPECT_FALSE(view.nextSurveyAction()->isEnabled());
    fixture.write("G-NOW-2.CSV", currentGrid());
    std::vector<CreateRequest> handed;
    view.setNextSurveyHandler([&](const CreateRequest& request) { handed.push_back(request); });
    ASSERT_TRUE(view.nextSurveyAction()->isEnabled());
    view.nextSurveyAction()->trigger();
    ASSERT_EQ(handed.size(), 1u);
    const CreateRequest& r = handed[0];
    EXPECT_EQ(r.fileName, "G-NOW-3");
    EXPECT_EQ(r.type, "2D");
    EXPECT_EQ(r.startCol + r.endCol + r.startRow + r.endRow + r.firstInc, "AC12ROW");
    EXPECT_EQ(r.saveMode, kSaveThkOnly);
}

}  // namespace
}  // namespace korvel::test
