// The survey map: what it draws for the minimum, holes and alarms, the link between a click
// on the map and the readings table both ways, and the comparison with an earlier survey.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTableView>
#include <QTest>
#include <set>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include "dataview/dialog/cctwx.h"
#include "dataview/survey/earlier_survey_choice.h"
#include "dataview/survey/survey_map.h"
#include "dataview/survey/survey_panel.h"
#include "dataview/survey/survey_scale.h"
#include "tests/dataview/view_file_builder.h"
#include "tests/survey/survey_fixtures.h"

namespace korvel::test {
namespace {

// The hand-made grid: A0001 A0002(hole) B0001(LOW, minimum) B0002(HIGH, maximum)
// C0001(LOW WARNING, minimum) C0002, points 0 to 5 in that order.
struct Rendered {
    Survey survey = surveyOf(parseDataFile(currentGrid()));
    SurveyMapContent content;
    QImage image{720, 320, QImage::Format_RGB32};
    QRectF cells[3][2];  // [column][row]

    Rendered() {
        content.survey = &survey;
        content.values = thicknesses(survey);
        content.outlined = {2, 4};
        image.fill(Qt::white);
        QPainter painter(&image);
        paintSurveyMap(painter, image.rect(), content, 0, -1);
        const SurveyMapGeometry geometry(image.rect(), content, 0, painter.fontMetrics());
        for (std::size_t column = 0; column < 3; ++column) {
            for (std::size_t row = 0; row < 2; ++row) {
                cells[column][row] = geometry.cell(row, column);
            }
        }
    }
    // A pixel at a fraction of the cell across and down.
    QColor at(int column, int row, double across, double down) const {
        const QRectF& cell = cells[column][row];
        return image.pixelColor(
            QPointF(cell.left() + across * cell.width(), cell.top() + down * cell.height())
                .toPoint());
    }
};

// A long legend text (a translation) widens the legend and narrows the map instead of being cut.
TEST(SurveyMapDrawing, TheLegendIsAsWideAsItsLongestText) {
    const Rendered map;
    const QFontMetrics metrics{QFont()};
    for (const QString& text :
         {QStringLiteral("Warning"), QStringLiteral("Avertissements hauts")}) {
        SurveyMapContent content = map.content;
        content.warningText = text;
        const SurveyMapGeometry geometry(map.image.rect(), content, 0, metrics);
        EXPECT_GE(geometry.legend().width(), 14 + metrics.horizontalAdvance(text))
            << text.toStdString();
        EXPECT_LT(geometry.plot().right(), geometry.legend().left()) << text.toStdString();
    }
}

TEST(SurveyMapDrawing, OutlinesTheMinimumGreysHolesAndHatchesAlarms) {
    const Rendered map;
    const QColor lightest = scaleColour(1), darkest = scaleColour(0);
    const struct {
        const char* name;
        int column, row;
        double across, down;
        QColor expected;
        bool equal;
    } cases[] = {
        {"hole A0002 is grey", 0, 1, 0.5, 0.5, kHoleGrey, true},
        {"minimum B0001 is outlined", 1, 0, 0.01, 0.5, kMinimumOutline, true},
        {"minimum C0001 is outlined", 2, 0, 0.5, 0.01, kMinimumOutline, true},
        {"A0001 is not outlined", 0, 0, 0.01, 0.5, kMinimumOutline, false},
        {"maximum B0002 takes the light end", 1, 1, 0.2, 0.2, lightest, true},
        {"C0002 lies between the ends", 2, 1, 0.2, 0.2, lightest, false},
        {"C0002 lies between the ends", 2, 1, 0.2, 0.2, darkest, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(map.at(c.column, c.row, c.across, c.down) == c.expected, c.equal) << c.name;
    }
    // The hatch of the low alarm (B0001) leaves both its fill and its ink in the cell.
    std::set<QRgb> colours;
    for (double x = 0.15; x < 0.85; x += 0.02) {
        colours.insert(map.at(1, 0, x, 0.2).rgb());
    }
    EXPECT_TRUE(colours.count(darkest.rgb()) && colours.count(QColor(Qt::white).rgb()));
}

class SurveyViewTest : public ::testing::Test {
  protected:
    DataViewDialog& open() {
        fixture.write("G-OLD.CSV", earlierGrid());
        DataViewDialog& view = fixture.openText(currentGrid(), "G-NOW.CSV");
        view.resize(1000, 700);
        view.showMap(true);
        QCoreApplication::processEvents();
        return view;
    }
    QPoint cellCentre(const SurveyMap& map, std::size_t row, std::size_t column) {
        return SurveyMapGeometry(map.rect(), map.content(), map.layer(), map.fontMetrics())
            .cell(row, column)
            .center()
            .toPoint();
    }
    ViewFixture fixture;
};

TEST_F(SurveyViewTest, ClickOnTheMapSelectsTheReadingAndTheTableSelectionIsOutlined) {
    DataViewDialog& view = open();
    SurveyMap& map = *view.surveyPanel()->map();
    ASSERT_TRUE(map.isVisible());
    EXPECT_FALSE(view.chart()->isVisible());
    const struct {
        std::size_t row, column;
        int point;
        const char* hover;
    } cells[] = {
        {1, 2, 5, "C0002: 0.220 IN"},
        {1, 0, 1, "A0002: Hole"},
        {0, 1, 2, "B0001: 0.180 IN"},
    };
    for (const auto& c : cells) {
        const QPoint centre = cellCentre(map, c.row, c.column);
        EXPECT_EQ(map.hoverText(centre).toStdString(), c.hover);
        QTest::mouseClick(&map, Qt::LeftButton, {}, centre);
        QCoreApplication::processEvents();
        EXPECT_EQ(view.readingsList()->currentIndex().row(), c.point);
        EXPECT_EQ(view.selection().id, view.file().readings[c.point].fields[0]);
        EXPECT_EQ(map.selectedPoint(), c.point);
    }
    for (const int row : {4, 0}) {
        const QRect cell =
            view.readingsList()->visualRect(view.readingsList()->model()->index(row, 0));
        QTest::mouseClick(view.readingsList()->viewport(), Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
        EXPECT_EQ(map.selectedPoint(), row);
    }
    view.chooseAScan();
    EXPECT_FALSE(map.isVisible());
    EXPECT_TRUE(view.chart()->isVisible());
}

TEST_F(SurveyViewTest, ComparisonShowsLossAndRefusesAnotherLayout) {
    DataViewDialog& view = open();
    SurveyPanel& panel = *view.surveyPanel();
    EXPECT_NE(panel.statisticsText()->text().indexOf("0.180 IN (B0001, C0001)"), -1);
    ASSERT_TRUE(panel.compareWith("G-OLD.CSV", std::nullopt));
    const SurveyMapContent& content = panel.map()->content();
    EXPECT_TRUE(content.loss);
    EXPECT_EQ(content.outlined, (std::vector<std::size_t>{2, 4}));
    EXPECT_EQ(*content.values[0], 0.01);
    const QString text = panel.statisticsText()->text();
    for (const char* part : {"G-OLD.CSV", "365 days (1.00 years)", "0.020 IN (B0001, C0001)",
                             "0.0200 IN (B0001, C0001)", "1.5 years (B0001, C0001)"}) {
        EXPECT_NE(text.indexOf(part), -1) << part << " in " << text.toStdString();
    }

    fixture.write("LINE.CSV", surveyBytes({"Type=LINEAR"}, {{"0001", "0.2"}}));
    EXPECT_FALSE(panel.compareWith("LINE.CSV", 0.1));
    ASSERT_FALSE(fixture.voice.said.empty());
    EXPECT_EQ(fixture.voice.said.back().kind, MessageKind::Error);
    EXPECT_EQ(fixture.voice.said.back().text,
              fixture.texts.message("IDS_ERR_SURVEY_LAYOUT_MISMATCH"));
    EXPECT_TRUE(panel.map()->content().loss);  // the comparison shown stays

    panel.showThickness();
    EXPECT_FALSE(panel.map()->content().loss);
    EXPECT_EQ(panel.map()->content().outlined, (std::vector<std::size_t>{2, 4}));
}

// Report... from the PC list offers what Compare... offers: the files of the layout, the open
// one left out; the choice comes back with its minimum thickness.
TEST_F(SurveyViewTest, TheReportsEarlierSurveyIsOfferedAsCompareOffersIt) {
    fixture.write("G-OLD.CSV", earlierGrid());
    fixture.write("LINE.CSV", surveyBytes({"Type=LINEAR"}, {{"0001", "0.2"}}));
    const std::string now = fixture.write("G-NOW.CSV", currentGrid());
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* list = dialog->findChild<QListWidget*>();
        for (int row = 0; row < list->count(); ++row) {
            offered << list->item(row)->text().section(' ', 0, 0);
        }
        dialog->findChild<QLineEdit*>()->setText("0.05");
        dialog->accept();
    });
    const EarlierSurveyChoice choice =
        chooseEarlierSurvey(now, fixture.texts, fixture.voice, nullptr);
    EXPECT_EQ(offered, QStringList{"G-OLD.CSV"});
    EXPECT_EQ(choice.path, fixture.folder() + "/G-OLD.CSV");
    EXPECT_EQ(choice.minimumThickness, 0.05);
    // Nothing of the layout to offer: no dialog, no comparison.
    EXPECT_EQ(
        chooseEarlierSurvey(fixture.folder() + "/LINE.CSV", fixture.texts, fixture.voice, nullptr)
            .path,
        "");
}

TEST_F(SurveyViewTest, ASequenceIsALineAlongItsLocations) {
    DataViewDialog& view = fixture.openText(
        surveyBytes({"Type=LINEAR"}, {{"0001", "0.2"}, {"0002", "-"}, {"0003", "0.1", "LOW"}}));
    view.resize(1000, 700);
    view.showMap(true);
    QCoreApplication::processEvents();
    SurveyMap& map = *view.surveyPanel()->map();
    const SurveyMapGeometry geometry(map.rect(), map.content(), 0, map.fontMetrics());
    EXPECT_FALSE(geometry.grid());
    EXPECT_EQ(map.content().lowLevel, 0.150);
    const QPoint third(static_cast<int>(geometry.xOf(2)), static_cast<int>(geometry.yOf(0.15)));
    EXPECT_EQ(map.hoverText(third).toStdString(), "0003: 0.100 IN");
    QTest::mouseClick(&map, Qt::LeftButton, {}, third);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.readingsList()->currentIndex().row(), 2);

    // The axis is labelled with the scale the line is drawn on: round values, each at its
    // height inside the plot, from below the lowest to above the highest value drawn.
    const std::vector<double> ticks = geometry.axisTicks();
    ASSERT_GE(ticks.size(), 3u);
    const double step = ticks[1] - ticks[0];
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_NEAR(ticks[i], ticks[0] + static_cast<double>(i) * step, 1e-9);
        EXPECT_GE(geometry.yOf(ticks[i]), geometry.plot().top() - 0.01);
        EXPECT_LE(geometry.yOf(ticks[i]), geometry.plot().bottom() + 0.01);
    }
    EXPECT_LE(ticks.front(), 0.1 + step / 2);
    EXPECT_GE(ticks.back(), 0.2 - step / 2);
}

}  // namespace
}  // namespace korvel::test
