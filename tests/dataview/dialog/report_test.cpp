// The data view's pictures and reports without a printer: Save Graph's PNG and PDF, the
// view's report with its comparison, Print Report on the same pages, and the message of a
// missing printer.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <map>
#include <set>
#include <sstream>

#include "dataview/chart/paper_chart.h"
#include "dataview/dialog/cctwx.h"
#include "dataview/readings/reading_table.h"
#include "dataview/survey/survey_map.h"
#include "dataview/survey/survey_panel.h"
#include "report/inspection_report.h"
#include "report/report_content.h"
#include "tests/dataview/view_file_builder.h"
#include "tests/report/pdf_text.h"
#include "tools/sample_files.h"

namespace korvel::test {
namespace {

class ReportTest : public testing::Test {
  protected:
    std::string out(const std::string& name) const { return fixture.folder() + "/" + name; }

    ViewFixture fixture;
};

TEST_F(ReportTest, SaveGraphWritesThePictureOrThePageTheTypeAsksFor) {
    auto& view = fixture.openText(sample("PIPE-A.CSV"), "PIPE-A.CSV");
    view.selectReading(3);
    for (const char* name : {"graph.png", "graph.PDF"}) {
        view.setSavePathSource(
            [&](const QString&, const QString&, const QString&) { return qPath(out(name)); });
        view.saveGraph();
    }
    EXPECT_TRUE(fixture.voice.said.empty());
    const QImage image(qPath(out("graph.png")));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), (view.chart()->logicalSize() * kGraphPictureScale).toSize());
    int dark = 0;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 200);  // the trace, the axes and the title in ink on white
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(pdfPages(out("graph.PDF")), 1);
}

TEST_F(ReportTest, SaveGraphSavesTheSurveyMapWhileItShows) {
    auto& view = fixture.openText(sample("TANK3D.CSV"), "TANK3D.CSV");
    view.resize(900, 700);
    view.showMap(true);
    view.setSavePathSource(
        [&](const QString&, const QString&, const QString&) { return qPath(out("map.png")); });
    view.saveGraph();
    const QImage image(qPath(out("map.png")));
    ASSERT_FALSE(image.isNull());
    const QSize mapSize = view.surveyPanel()->map()->size();
    EXPECT_EQ(image.size(), mapSize * kGraphPictureScale);
    EXPECT_NE(mapSize, view.chart()->logicalSize().toSize());
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7) {
            colours.insert(image.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 10u);  // the map's shades, not an empty ground
}

TEST_F(ReportTest, TheViewsReportHoldsItsComparison) {
    fixture.write("TANK-N-24.CSV", sample("TANK-N-24.CSV"));
    auto& view = fixture.open(fixture.write("TANK-N.CSV", sample("TANK-N.CSV")));
    ASSERT_TRUE(view.surveyPanel()->compareWith("TANK-N-24.CSV", 0.2));
    view.setSavePathSource(
        [&](const QString&, const QString&, const QString&) { return qPath(out("cmp.pdf")); });
    view.saveReport();
    const std::string text = run("pdftotext", {"-layout", qPath(out("cmp.pdf")), "-"});
    EXPECT_NE(text.find("Loss since TANK-N-24.CSV"), std::string::npos);
    // The minimum thickness entered for the comparison, on its figure's line.
    const auto figure = text.find("Minimum thickness");
    ASSERT_NE(figure, std::string::npos);
    EXPECT_NE(text.substr(figure, text.find('\n', figure) - figure).find("0.200 IN"),
              std::string::npos);
    view.surveyPanel()->showThickness();
    view.saveReport();
    EXPECT_EQ(run("pdftotext", {qPath(out("cmp.pdf")), "-"}).find("Loss since"), std::string::npos);
}

TEST_F(ReportTest, PrintReportPutsTheSamePagesOnThePrinter) {
    auto& view = fixture.openText(sample("BIG160A.CSV"), "BIG160A.CSV");
    view.setSavePathSource(
        [&](const QString&, const QString&, const QString&) { return qPath(out("r.pdf")); });
    view.saveReport();
    view.setReportPrinterSource([&] {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(qPath(out("printed.pdf")));
        return PrinterChoice{std::move(printer)};
    });
    view.printReport();
    EXPECT_TRUE(fixture.voice.said.empty());
    EXPECT_GT(pdfPages(out("r.pdf")), 1);
    EXPECT_EQ(pdfPages(out("printed.pdf")), pdfPages(out("r.pdf")));

    // A printer set to Letter gets Letter pages, the last one numbered as the report's last.
    view.setReportPrinterSource([&] {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::Letter));
        printer->setOutputFileName(qPath(out("letter.pdf")));
        return PrinterChoice{std::move(printer)};
    });
    view.printReport();
    EXPECT_NE(run("pdfinfo", {qPath(out("letter.pdf"))}).find("(letter)"), std::string::npos);
    const std::string pages = std::to_string(pdfPages(out("letter.pdf")));
    EXPECT_NE(
        run("pdftotext", {qPath(out("letter.pdf")), "-"}).find("Page " + pages + " of " + pages),
        std::string::npos);
}

TEST_F(ReportTest, WithoutAPrinterTheMessagePointsAtSaveGraphAndReport) {
    auto& view = fixture.openText(sample("PIPE-A.CSV"), "PIPE-A.CSV");
    view.setReportPrinterSource([] { return PrinterChoice{nullptr, true}; });
    view.printReport();  // a cancelled print dialog needs no message
    EXPECT_TRUE(fixture.voice.said.empty());
    view.setReportPrinterSource([] { return PrinterChoice{}; });
    view.printReport();
    ASSERT_EQ(fixture.voice.said.size(), 1u);
    EXPECT_EQ(fixture.voice.said[0].kind, MessageKind::Error);
    EXPECT_NE(fixture.voice.said[0].text.find("Save Graph"), std::string::npos);
    EXPECT_NE(fixture.voice.said[0].text.find("Report"), std::string::npos);
}

}  // namespace
}  // namespace korvel::test
