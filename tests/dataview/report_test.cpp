// Pictures and reports without a printer: Save Graph's PNG and PDF, the inspection report
// checked with the Poppler tools (page count, every reading exactly once in the readings
// table), Print Report on the same pages, and the message of a missing printer.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <map>
#include <set>
#include <sstream>

#include "dataview/cctwx.h"
#include "dataview/inspection_report.h"
#include "dataview/paper_chart.h"
#include "dataview/reading_table.h"
#include "dataview/report_content.h"
#include "dataview/survey_map.h"
#include "dataview/survey_panel.h"
#include "tools/sample_files.h"
#include "view_file_builder.h"

namespace korvel::test {
namespace {

QString qPath(const std::string& path) {
    return QString::fromStdString(path);
}

std::string run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return process.readAllStandardOutput().toStdString();
}

int pdfPages(const std::string& path) {
    std::istringstream info(run("pdfinfo", {qPath(path)}));
    for (std::string line; std::getline(info, line);) {
        if (line.rfind("Pages:", 0) == 0) {
            return std::stoi(line.substr(6));
        }
    }
    return -1;
}

// How often each "first second" pair of words starts a line of the PDF's text.
std::map<std::string, int> leadingPairs(const std::string& path) {
    std::istringstream text(run("pdftotext", {"-layout", qPath(path), "-"}));
    std::map<std::string, int> pairs;
    for (std::string line; std::getline(text, line);) {
        std::istringstream words(line);
        std::string first, second;
        if (words >> first >> second) {
            ++pairs[first + " " + second];
        }
    }
    return pairs;
}

ReportSigner signer(const TextTable& texts) {
    return {texts, "Korvel - Version 3.7.3", "2026-12-08 10:00"};
}

std::string sample(const std::string& name) {
    for (const auto& file : samples::sampleSet()) {
        if (file.name == name) {
            return file.bytes;
        }
    }
    return {};
}

TEST(PaperChart, LightColoursTurnDarkAndDarkOnesStay) {
    struct Case {
        ChartColour screen;
        ChartColour paper;
    };
    const Case cases[] = {
        {kChartWhite, kChartBlack}, {kChartBlack, kChartBlack}, {kChartYellow, 0x8C8C00},
        {kChartGreen, 0x008C00},    {kChartRed, 0x8C0000},      {0x404040, 0x404040},
        {0xC0C0C0, kChartBlack},    {kChartOrange, 0x8C5A00},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(darkOnWhite(c.screen), c.paper) << std::hex << c.screen;
    }
    EXPECT_EQ(paperChart(ChartModel{}).background, kChartWhite);
}

TEST(PaperChart, TheFileTypeAndThePageLabelFollowTheirTexts) {
    const std::pair<const char*, std::optional<GraphFormat>> types[] = {
        {"a.png", GraphFormat::Png}, {"B.PNG", GraphFormat::Png}, {"c.pdf", GraphFormat::Pdf},
        {"d.PdF", GraphFormat::Pdf}, {"e.jpg", std::nullopt},     {"png", std::nullopt},
    };
    for (const auto& [path, format] : types) {
        EXPECT_EQ(graphFormatOf(QString::fromLatin1(path)), format) << path;
    }
    EXPECT_EQ(pageLabel("Page %s of %s", 3, 12), "Page 3 of 12");
    EXPECT_EQ(
        pageLabel("\xE7\xAC\xAC %s \xE9\xA1\xB5\xEF\xBC\x8C\xE5\x85\xB1 %s \xE9\xA1\xB5", 1, 2),
        "\xE7\xAC\xAC 1 \xE9\xA1\xB5\xEF\xBC\x8C\xE5\x85\xB1 2 \xE9\xA1\xB5");
    EXPECT_EQ(pageLabel("%s", 4, 9), "4");
}

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

TEST_F(ReportTest, ReportsHoldEveryReadingOnceAndTheirPagesAreNumbered) {
    struct Case {
        const char* name;
        int minimumPages;
        int ascans;
    };
    const Case cases[] = {{"PIPE-A.CSV", 2, 24}, {"BIG160A.CSV", 4, 160}, {"BIG5000.CSV", 60, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = fixture.write(c.name, sample(c.name));
        const std::string pdf = out(std::string(c.name) + ".pdf");
        ASSERT_TRUE(saveInspectionReport(path, "", pdf, signer(fixture.texts), fixture.voice));
        const int pages = pdfPages(pdf);
        EXPECT_GE(pages, c.minimumPages);
        const auto pairs = leadingPairs(pdf);
        auto& view = fixture.open(path);
        const ReadingTable& table = view.table();
        int wrong = 0;
        for (int row = 0; row < table.rowCount(); ++row) {
            const auto found =
                pairs.find(table.text(row, 0) + " " + table.textOf(row, "Thickness"));
            wrong += found == pairs.end() || found->second != 1 ? 1 : 0;
        }
        EXPECT_EQ(wrong, 0);
        // The readings table's header heads every page it runs over (the first may hold none).
        const auto header = pairs.find("ID Thickness");
        const int headers = header == pairs.end() ? 0 : header->second;
        EXPECT_GE(headers, pages - 1 - (c.ascans + 7) / 8);
        EXPECT_LE(headers, pages);
        const std::string last = "Page " + std::to_string(pages) + " of " + std::to_string(pages);
        EXPECT_NE(run("pdftotext", {"-layout", qPath(pdf), "-"}).find(last), std::string::npos);
    }
    EXPECT_TRUE(fixture.voice.said.empty());
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

TEST_F(ReportTest, AFileWithoutReadingsSaysSo) {
    const std::string path =
        fixture.write("LINE2.CSV",
                      "Product:40-102,Version:v1.09A,\r\n"
                      "Filename,Type,Version,AScan,Start Row,End Row,# ID,# Setup,# Notes,Created,"
                      "Last Saved,\r\nLINE2.CSV,LINEAR,1,OFF,0001,0020,0,0,0,12/08/2026 11:22 AM,"
                      "12/08/2026 11:22 AM,\r\n");
    const std::string pdf = out("LINE2.pdf");
    ASSERT_TRUE(saveInspectionReport(path, "", pdf, signer(fixture.texts), fixture.voice));
    EXPECT_EQ(pdfPages(pdf), 1);
    // (The PDF's text has the "fi" ligature: "file" is left out of the search.)
    EXPECT_NE(run("pdftotext", {qPath(pdf), "-"}).find("No readings have been taken in this"),
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

TEST_F(ReportTest, AnUnreadableFileOrADeclinedOverwriteWritesNothing) {
    const std::string pdf = out("kept.pdf");
    QFile kept(qPath(pdf));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("before");
    kept.close();
    const std::string path = fixture.write("PIPE-A.CSV", sample("PIPE-A.CSV"));
    EXPECT_FALSE(
        saveInspectionReport(out("MISSING.CSV"), "", pdf, signer(fixture.texts), fixture.voice));
    fixture.voice.answers = {false};
    EXPECT_FALSE(saveInspectionReport(path, "", pdf, signer(fixture.texts), fixture.voice));
    ASSERT_EQ(fixture.voice.said.size(), 2u);
    EXPECT_EQ(fixture.voice.said[0].kind, MessageKind::Error);
    EXPECT_EQ(fixture.voice.said[1].kind, MessageKind::Question);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "before");
}

}  // namespace
}  // namespace korvel::test
