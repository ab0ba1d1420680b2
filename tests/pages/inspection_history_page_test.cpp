#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "app/safe_file.h"
#include "app/text_format.h"
#include "app/ui/file_list_view.h"
#include "dataview/chart/chart_painter.h"
#include "dataview/history/add_to_history.h"
#include "dataview/history/history_thinnest.h"
#include "dataview/history/trend_chart.h"
#include "dataview/survey/survey_map.h"
#include "history/history_messages.h"
#include "pages/file_transfer_page.h"
#include "pages/inspection_history_page.h"
#include "tests/support/modal_answer.h"
#include "tests/support/page_environment.h"
#include "tests/support/recording_voice.h"
#include "tools/sample_files.h"

namespace korvel {
namespace {

// A history of the demo's tank (three surveys, 0.1 in required, the tank code) and an asset
// without surveys, as the page finds it in the settings folder.
class InspectionHistoryPageTest : public testing::Test {
  protected:
    void SetUp() override {
        environment.start();
        ASSERT_TRUE(samples::writeSampleSet(environment.app().pcDataFolder()));
        WindowHistory opened = openWindowHistory(environment.app());
        ASSERT_TRUE(opened.history) << opened.error;
        history::AssetChange tank{
            "TANK N", 0.1, std::string("IN"), history::InspectionCode::Api653, {}};
        ASSERT_TRUE(opened.history->setAsset(tank));
        ASSERT_TRUE(opened.history->setAsset({"EMPTY", {}, {}, {}, {}}));
        test::RecordingVoice quiet;
        const auto added = addFilesToAsset(
            *opened.history, environment.app().texts(), "TANK N",
            {file("TANK-N.CSV"), file("TANK-N-22.CSV"), file("TANK-N-24.CSV")}, quiet);
        ASSERT_EQ(added.added, 3);
        page = std::make_unique<CInspectionHistoryPage>(environment.context());
        page->setVoice(&voice);
        page->ensureInitialised();
        page->refreshAssets();
        page->selectAsset("TANK N");
        ASSERT_NE(page->loaded(), nullptr);
    }

    std::string file(const std::string& name) {
        return joinPath(environment.app().pcDataFolder(), name);
    }
    const history::AssetFigures& figures() const { return page->loaded()->figures; }
    // The one message said so far is a warning with the text.
    void expectOneWarning(const std::string& text) const {
        ASSERT_EQ(voice.said.size(), 1u);
        EXPECT_EQ(voice.said[0], (test::Said{MessageKind::Warning, text}));
    }

    test::PageEnvironment environment;
    test::RecordingVoice voice;
    std::unique_ptr<CInspectionHistoryPage> page;
};

TEST_F(InspectionHistoryPageTest, SelectingAnAssetListsItsSurveysInDateOrderAndItsFigures) {
    ASSERT_EQ(page->assetTable()->rowCount(), 2);
    EXPECT_EQ(page->assetTable()->item(0, 0)->text(), "EMPTY");
    EXPECT_EQ(page->assetTable()->item(1, 0)->text(), "TANK N");
    EXPECT_EQ(page->assetTable()->item(1, 1)->text(), "0.100");
    const QStringList files = {"TANK-N-22.CSV", "TANK-N-24.CSV", "TANK-N.CSV"};
    ASSERT_EQ(page->surveyList()->topLevelItemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(page->surveyList()->topLevelItem(i)->text(1), files[i]);
    }
    EXPECT_EQ(page->surveyList()->topLevelItem(0)->text(0), "2022-11-08");
    ASSERT_TRUE(figures().dueFirst);
    const auto& due = figures().locations[*figures().dueFirst];
    const QString text = page->figuresLabel()->text();
    EXPECT_TRUE(text.startsWith("Surveys: 3\n\nDue first: " + QString::fromStdString(due.location) +
                                " " + historyDateText(*due.nextInspectionMinutes)))
        << text.toStdString();
    // The location with the shortest life is shown at once, its trend below the map.
    ASSERT_TRUE(figures().shortestLife);
    EXPECT_EQ(page->shownLocation(), figures().shortestLife);
    EXPECT_EQ(page->trend()->trend().values.size(),
              static_cast<std::size_t>(figures().locations[*figures().shortestLife].values));

    page->selectAsset("EMPTY");
    EXPECT_EQ(page->surveyList()->topLevelItemCount(), 0);
    EXPECT_EQ(page->map()->content().survey->points.size(), 0u);
    EXPECT_FALSE(page->excludeButton()->isEnabled());
}

TEST_F(InspectionHistoryPageTest, TheMapIsColouredByTheFigureChosenInTheUnitsShown) {
    const SurveyMap& map = *page->map();
    const auto& figureOf = page->loaded()->layout.figureOf;
    ASSERT_EQ(map.content().values.size(), figureOf.size());
    ASSERT_GT(figureOf.size(), 10u);
    const auto expectEach = [&](auto value, const char* what) {
        for (std::size_t point = 0; point < figureOf.size(); ++point) {
            ASSERT_GE(figureOf[point], 0);
            EXPECT_EQ(map.content().values[point], value(figures().locations[figureOf[point]]))
                << what << " at " << point;
        }
    };
    expectEach([](const history::LocationFigures& l) { return l.remainingLife; }, "life");
    page->setColouring(HistoryColouring::GoverningRate);
    EXPECT_TRUE(map.content().loss);
    expectEach([](const history::LocationFigures& l) { return l.governingRate; }, "rate");
    page->setUnits(ThicknessUnits::Millimetres);
    page->setColouring(HistoryColouring::LatestThickness);
    expectEach(
        [](const history::LocationFigures& l) { return std::optional(l.actual->value * 25.4); },
        "thickness");
    EXPECT_DOUBLE_EQ(*map.content().lowLevel, 2.54);
    EXPECT_EQ(map.content().lowAlarmText, "At or below required");
    // Locations at or below the required thickness carry the cross-hatch, those due within a
    // year the single hatch.
    for (std::size_t point = 0; point < figureOf.size(); ++point) {
        const auto& location = figures().locations[figureOf[point]];
        if (location.belowRequired) {
            EXPECT_EQ(map.content().survey->points[point].alarm, AlarmLevel::LowAlarm);
        }
    }
}

TEST_F(InspectionHistoryPageTest, ALocationsTrendHasEveryValueItsLinesAndTheDateItReachesRequired) {
    const std::size_t location = 0;
    page->showLocation(location);
    const LocationTrend& trend = page->trend()->trend();
    const auto& expected = figures().locations[location];
    ASSERT_EQ(trend.values.size(), 3u);
    EXPECT_EQ(trend.values.back().value, expected.actual->value);
    EXPECT_EQ(trend.values.front().value, expected.initial->value);
    const auto& series = trend.chart.series;
    EXPECT_EQ(series.at(kTrendLongTerm).name, "Long-term");
    EXPECT_EQ(series.at(kTrendShortTerm).name, "Short-term");
    // The regression line falls at the regression rate.
    const ChartSeries& regression = series.at(kTrendRegression);
    EXPECT_EQ(regression.name, "Regression");
    const double years = (regression.x[1] - regression.x[0]) / kMinutesPerYear;
    EXPECT_NEAR((regression.y[0] - regression.y[1]) / years, *expected.regressionRate, 1e-9);
    EXPECT_DOUBLE_EQ(series.at(kTrendRequired).y[0], 0.1);
    if (expected.governingRate && *expected.governingRate > 0 && !expected.belowRequired) {
        ASSERT_TRUE(trend.reachMinutes);
        EXPECT_NEAR(*trend.reachMinutes,
                    expected.actual->dateMinutes +
                        (expected.actual->value - 0.1) / *expected.governingRate * kMinutesPerYear,
                    1);
    }
    EXPECT_EQ(page->pointLabel()->text(),
              QString::fromStdString(isoDateText(expected.actual->dateMinutes) + ": " +
                                     thicknessText(expected.actual->value, "IN") + " IN"));
    // A click on the first value, where it is drawn, chooses it.
    TrendChart* chart = page->trend();
    chart->resize(chart->trend().size.toSize());
    const TrendValue& first = chart->trend().values.front();
    QTest::mouseClick(chart, Qt::LeftButton, Qt::NoModifier,
                      chartPosition(chart->trend().chart, chart->trend().size,
                                    static_cast<double>(first.dateMinutes), first.value)
                          .toPoint());
    EXPECT_EQ(chart->trend().selected, 0);
    EXPECT_TRUE(page->pointLabel()->text().startsWith(
        QString::fromStdString(isoDateText(expected.initial->dateMinutes))));
}

TEST_F(InspectionHistoryPageTest, ExcludeAsksForTheNoteAndTheFiguresLeaveTheReadingOut) {
    page->showLocation(0);
    const std::string location = figures().locations[0].location;
    // No note: nothing changes.
    test::answerNextModal([](QDialog* dialog) {
        EXPECT_EQ(dialog->objectName(), "exclusionNote");
        dialog->accept();
    });
    page->excludeButton()->click();
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].text, "A note is required; the reading was left as it was.");
    EXPECT_EQ(figures().locations[0].values, 3);

    test::answerNextModal([](QDialog* dialog) {
        qobject_cast<QInputDialog*>(dialog)->setTextValue("probe on a weld");
        dialog->accept();
    });
    page->excludeButton()->click();
    EXPECT_EQ(figures().locations[0].values, 2);
    EXPECT_EQ(page->shownLocation(), std::optional<std::size_t>(0));
    const LocationTrend& trend = page->trend()->trend();
    ASSERT_EQ(trend.values.size(), 3u);
    EXPECT_TRUE(trend.values.back().excluded);
    EXPECT_EQ(trend.values.back().note, "probe on a weld");
    EXPECT_TRUE(page->pointLabel()->text().endsWith("excluded: probe on a weld"));
    EXPECT_TRUE(page->includeButton()->isEnabled());
    EXPECT_FALSE(page->excludeButton()->isEnabled());

    test::answerNextModal([](QDialog* dialog) {
        qobject_cast<QInputDialog*>(dialog)->setTextValue("weld ground flush, value stands");
        dialog->accept();
    });
    page->includeButton()->click();
    EXPECT_EQ(figures().locations[0].values, 3);
    WindowHistory opened = openWindowHistory(environment.app());
    const auto audit = opened.history->audit("TANK N");
    ASSERT_TRUE(audit);
    ASSERT_GE(audit->size(), 2u);
    EXPECT_EQ(audit->at(audit->size() - 2).action, "exclude");
    EXPECT_EQ(audit->at(audit->size() - 2).note, "probe on a weld");
    EXPECT_EQ(audit->back().action, "include");
    EXPECT_EQ(audit->back().location, location);
}

TEST_F(InspectionHistoryPageTest, AddingAFileAlreadyThereSaysSoAndAddsNothing) {
    page->addSurveys({file("TANK-N-24.CSV")});
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].kind, MessageKind::Notice);
    EXPECT_EQ(voice.said[0].text,
              "The survey TANK-N-24.CSV is already in the history (asset TANK N, file "
              "TANK-N-24.CSV); it was not added again.");
    EXPECT_EQ(voice.status, "Surveys added to TANK N: 0.");
    EXPECT_EQ(page->surveyList()->topLevelItemCount(), 3);
    // The asset list offers the file's name first, then the assets.
    std::vector<history::Asset> assets = {{"EMPTY", {}, {}, {}, {}}, {"TANK-N", {}, {}, {}, {}}};
    EXPECT_EQ(assetChoices("TANK-N-24.CSV", assets), QStringList({"TANK-N-24", "EMPTY", "TANK-N"}));
    EXPECT_EQ(assetChoices("/x/TANK-N.CSV", assets), QStringList({"TANK-N", "EMPTY"}));
}

TEST_F(InspectionHistoryPageTest, SavesTheAssetsReportAndWorkbookWhereTheDialogSays) {
    QStringList suggested;
    page->setSavePathSource([&](const QString&, const QString& path, const QString&) {
        suggested << path;
        return path;
    });
    page->reportButton()->click();
    page->workbookButton()->click();
    const std::string stem = joinPath(environment.app().pcDataFolder(), "TANK N");
    ASSERT_EQ(suggested, QStringList({QString::fromStdString(stem + ".pdf"),
                                      QString::fromStdString(stem + ".xlsx")}));
    EXPECT_TRUE(voice.said.empty());
    EXPECT_EQ(readFileBytes(stem + ".pdf").value_or("").substr(0, 5), "%PDF-");
    EXPECT_EQ(readFileBytes(stem + ".xlsx").value_or("").substr(0, 2), "PK");
}

TEST_F(InspectionHistoryPageTest, TitleFieldsAreKeptWithTheAsset) {
    test::answerNextModal([](QDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Title Fields of TANK N");
        dialog->findChild<QLineEdit*>("client")->setText("North Terminal Ltd");
        dialog->findChild<QLineEdit*>("nominal")->setText("0.375");
        dialog->accept();
    });
    page->titleFieldsButton()->click();
    EXPECT_TRUE(voice.said.empty());
    EXPECT_EQ(page->loaded()->asset.title[history::TitleField::Client], "North Terminal Ltd");
    EXPECT_EQ(page->loaded()->asset.nominal, 0.375);
    // A nominal thickness that is no number is refused with the form left open as typed; an
    // empty box then clears it.
    test::answerNextModal([this](QDialog* dialog) {
        auto* save = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        dialog->findChild<QLineEdit*>("nominal")->setText("thick");
        dialog->findChild<QLineEdit*>("client")->setText("Other");
        save->click();
        EXPECT_TRUE(dialog->isVisible());
        expectOneWarning(
            "The nominal thickness thick is not a number above 0. Type one such as 0.375, or "
            "leave the box empty, and save again; nothing was saved yet.");
        EXPECT_EQ(page->loaded()->asset.nominal, 0.375);
        dialog->findChild<QLineEdit*>("nominal")->clear();
        save->click();
    });
    page->titleFieldsButton()->click();
    EXPECT_EQ(page->loaded()->asset.title[history::TitleField::Client], "Other");
    EXPECT_EQ(page->loaded()->asset.nominal, std::nullopt);
}

// An emptied cell or choice clears the property in the history; a wrong thickness is refused
// and the cell shows the history's value again.
TEST_F(InspectionHistoryPageTest, TheAssetTableClearsAPropertyAndRefusesAWrongThickness) {
    QTableWidget* table = page->assetTable();
    const int row = 1;
    const auto stored = [this] {
        return *openWindowHistory(environment.app()).history->asset("TANK N");
    };
    const auto settle = [] { QCoreApplication::processEvents(); };
    table->item(row, 1)->setText("0");
    settle();
    expectOneWarning(
        "The required thickness 0 is not a number above 0. Type one such as 0.250, or clear the "
        "cell to remove it; the required thickness was left as it was.");
    EXPECT_EQ(stored().required, 0.1);
    EXPECT_EQ(table->item(row, 1)->text(), "0.100");

    table->item(row, 1)->setText(" ");
    settle();
    for (const int column : {2, 3}) {
        auto* box = qobject_cast<QComboBox*>(table->cellWidget(row, column));
        ASSERT_NE(box, nullptr);
        box->setCurrentIndex(0);
        emit box->activated(0);
        settle();
    }
    EXPECT_EQ(voice.said.size(), 1u);
    const history::Asset cleared = stored();
    EXPECT_EQ(cleared.required, std::nullopt);
    EXPECT_EQ(cleared.units, "");
    EXPECT_EQ(cleared.code, std::nullopt);
    EXPECT_EQ(table->item(row, 1)->text(), "");
    EXPECT_EQ(qobject_cast<QComboBox*>(table->cellWidget(row, 3))->currentText(), "");
    // The audit log notes each property as the history now holds it.
    const auto audit = openWindowHistory(environment.app()).history->audit("TANK N");
    ASSERT_TRUE(audit);
    EXPECT_EQ(audit->back().note, "required=none units=none code=none class=none");
}

// At the page's own size every column of its lists shows whole, none scrolled out of sight.
TEST_F(InspectionHistoryPageTest, EveryColumnOfItsListsShowsWhole) {
    page->resize(page->sizeHint());
    page->show();
    page->showThinnest();
    QCoreApplication::processEvents();
    auto* thinnest = page->thinnestDialog()->findChild<QTreeWidget*>();
    const std::pair<QAbstractItemView*, QHeaderView*> lists[] = {
        {page->assetTable(), page->assetTable()->horizontalHeader()},
        {page->surveyList(), page->surveyList()->header()},
        {thinnest, thinnest->header()}};
    for (const auto& [view, header] : lists) {
        SCOPED_TRACE(view->metaObject()->className());
        EXPECT_LE(header->length(), view->viewport()->width());
        for (int column = 0; column < header->count(); ++column) {
            EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << column;
        }
    }
    for (int column = 2; column < 5; ++column) {
        const QWidget* box = page->assetTable()->cellWidget(1, column);
        EXPECT_GE(box->width(), box->sizeHint().width()) << column;
    }
}

// korvel-cli names its --archive option; the window names the setting that does the same.
TEST_F(InspectionHistoryPageTest, AHistoryThatIsNoDatabaseIsToldInTheWindowsTerms) {
    const std::string other = environment.path("other.sqlite");
    environment.write("other.sqlite", "not a database\r\n");
    std::ofstream(environment.app().settingsFile(), std::ios::app)
        << "\r\n[HISTORY]\r\nArchive=" << other << "\r\n";
    CInspectionHistoryPage fresh(environment.context());
    fresh.setVoice(&voice);
    fresh.ensureInitialised();
    fresh.activated();
    EXPECT_FALSE(fresh.noticeLabel()->isHidden());
    EXPECT_EQ(fresh.noticeLabel()->text().toStdString(),
              other +
                  " is not an inspection history: it is not a database. Name the history's "
                  "file as Archive= in the [HISTORY] section of Settings.ini, or move this "
                  "file away; it was left as it is.");
    EXPECT_EQ(fresh.assetTable()->rowCount(), 0);
}

// The PC list's Add to History... offers the file's name first; a new name makes the asset.
TEST_F(InspectionHistoryPageTest, ThePcListAddsItsSelectedFilesToTheAssetChosen) {
    CFileTransferPage transfer(environment.context());
    transfer.setVoice(&voice);
    transfer.ensureInitialised();
    transfer.activated();
    FileListView* list = transfer.pcList();
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        list->topLevelItem(row)->setSelected(list->nameAt(row) == "PIPE-A.CSV" ||
                                             list->nameAt(row) == "TANK-N.CSV");
    }
    QStringList offered;
    test::answerNextModal([&](QDialog* dialog) {
        auto* choice = qobject_cast<QInputDialog*>(dialog);
        EXPECT_EQ(dialog->objectName(), "assetChoice");
        offered = choice->comboBoxItems();
        choice->setTextValue("PIPE A");
        dialog->accept();
    });
    transfer.addSelectedToHistory();
    EXPECT_EQ(offered, QStringList({"PIPE-A", "EMPTY", "TANK N"}));
    // TANK-N.CSV is in the history already, under TANK N.
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].kind, MessageKind::Notice);
    EXPECT_EQ(voice.status, "Surveys added to PIPE A: 1.");
    page->refreshAssets();
    page->selectAsset("PIPE A");
    ASSERT_NE(page->loaded(), nullptr);
    EXPECT_EQ(page->surveyList()->topLevelItemCount(), 1);
    EXPECT_EQ(page->surveyList()->topLevelItem(0)->text(1), "PIPE-A.CSV");
    // A LINEAR asset is drawn as a line along its locations.
    EXPECT_EQ(page->map()->content().survey->shape, SurveyShape::Sequence);
}

}  // namespace
}  // namespace korvel
