// The inspection report as PDF, checked with the Poppler tools: page count, every reading
// exactly once in the readings table, the page numbers, a file without readings, and what a
// failure leaves behind. Runs in a QGuiApplication: the report needs no widget.

#include <gtest/gtest.h>

#include <QFile>

#include "datafile/data_file_reader.h"
#include "dataview/chart/paper_chart.h"
#include "dataview/readings/reading_table.h"
#include "report/inspection_report.h"
#include "report/report_content.h"
#include "tests/report/pdf_text.h"
#include "tests/support/recording_voice.h"
#include "tests/support/temp_folder.h"

namespace korvel::test {
namespace {

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

TEST(ReportContent, EachFigureComesFromItsOwnField) {
    const DataFile file = parseDataFile(sample("PIPE-A.CSV"));
    const ReportContent content =
        reportContent(file, "PIPE-A.CSV", TextTable(), {"Korvel - Version 3.7.3", "today"});
    const std::map<std::string, std::string> block(content.titleBlock.begin(),
                                                   content.titleBlock.end());
    EXPECT_EQ(block.at("Created"), "2026-11-18 08:42");  // as the report date is written
    EXPECT_EQ(block.at("Last saved"), "2026-11-19 15:17");
    EXPECT_EQ(block.at("Report date"), "today");
    // A note's lines joined, empty lines left out.
    const std::vector<std::vector<std::string>> notes = {
        {"1", "Heavy scale / cleaned with wire brush"},
        {"2", "Near weld seam"},
        {"3", "Pitting / depth checked with pit gauge / recheck next outage"},
    };
    EXPECT_EQ(content.notes.rows, notes);
    ASSERT_EQ(content.ascanReadings.size(), 24u);
    for (std::size_t k = 0; k < content.ascanReadings.size(); ++k) {
        EXPECT_EQ(content.ascanReadings[k], int(k));
    }
}

class ReportTest : public testing::Test {
  protected:
    ReportTest() : folder_(uniqueTempFolder("korvel-report")) {}
    ~ReportTest() override { std::filesystem::remove_all(folder_); }

    std::string out(const std::string& name) const { return (folder_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        QFile file(qPath(out(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), qint64(bytes.size()));
        return out(name);
    }

    TextTable texts;
    RecordingVoice voice;

  private:
    std::filesystem::path folder_;
};

TEST_F(ReportTest, ReportsHoldEveryReadingOnceAndTheirPagesAreNumbered) {
    struct Case {
        const char* name;
        int minimumPages;
        int ascans;
    };
    const Case cases[] = {{"PIPE-A.CSV", 2, 24}, {"BIG160A.CSV", 4, 160}, {"BIG5000.CSV", 60, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = write(c.name, sample(c.name));
        const std::string pdf = out(std::string(c.name) + ".pdf");
        ASSERT_TRUE(saveInspectionReport(path, "", pdf, signer(texts), voice));
        const int pages = pdfPages(pdf);
        EXPECT_GE(pages, c.minimumPages);
        const auto pairs = leadingPairs(pdf);
        const auto file = readDataFile(path);
        ASSERT_TRUE(file);
        const ReadingTable table(*file);
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
        // Each A-scan is titled with its own reading.
        const std::string text = run("pdftotext", {"-raw", qPath(pdf), "-"});
        for (int row = 0; row < c.ascans; ++row) {
            EXPECT_NE(text.find("ID # " + table.text(row, 0) + " THK"), std::string::npos) << row;
        }
        const std::string last = "Page " + std::to_string(pages) + " of " + std::to_string(pages);
        EXPECT_NE(run("pdftotext", {"-layout", qPath(pdf), "-"}).find(last), std::string::npos);
    }
    EXPECT_TRUE(voice.said.empty());
}

// The title block: the inspection fields given, none of those left empty, the sign-off line
// (searched without the letters the PDF writes as ligatures).
TEST_F(ReportTest, TheTitleBlockCarriesTheInspectionFieldsGiven) {
    const DataFile file = parseDataFile(sample("PIPE-A.CSV"));
    InspectionTitle title;
    title.client = "Northwind Oil";
    title.requiredThickness = "0.150 IN";
    title.inspector = "J. Doe";
    title.gaugeSerial = "SN 40417";
    title.comments = "South side";
    const std::string pdf = write(
        "T.pdf",
        inspectionReportPdf({file, "PIPE-A.CSV", {}, {}, title}, signer(texts)).toStdString());
    const std::string firstPage = run("pdftotext", {"-layout", "-l", "1", qPath(pdf), "-"});
    const struct {
        const char* label;
        const char* value;
    } rows[] = {{"Client", "Northwind Oil"}, {"Required thickness", "0.150 IN"},
                {"Inspector", "J. Doe"},     {"Serial number", "SN 40417"},
                {"Comments", "South side"},  {"Signed o", "____"}};
    for (const auto& row : rows) {
        const auto at = firstPage.find(row.label);
        ASSERT_NE(at, std::string::npos) << row.label;
        const std::string line = firstPage.substr(at, firstPage.find('\n', at) - at);
        EXPECT_NE(line.find(row.value), std::string::npos) << line;
    }
    for (const char* absent : {"Site", "Probe", "Calibration date", "Certification"}) {
        EXPECT_EQ(firstPage.find(absent), std::string::npos) << absent;
    }
    EXPECT_LT(firstPage.find("Report date"), firstPage.find("Client"));
}

TEST_F(ReportTest, AFileWithoutReadingsSaysSo) {
    const std::string path =
        write("LINE2.CSV",
              "Product:40-102,Version:v1.09A,\r\n"
              "Filename,Type,Version,AScan,Start Row,End Row,# ID,# Setup,# Notes,Created,"
              "Last Saved,\r\nLINE2.CSV,LINEAR,1,OFF,0001,0020,0,0,0,12/08/2026 11:22 AM,"
              "12/08/2026 11:22 AM,\r\n");
    const std::string pdf = out("LINE2.pdf");
    ASSERT_TRUE(saveInspectionReport(path, "", pdf, signer(texts), voice));
    EXPECT_EQ(pdfPages(pdf), 1);
    // (The PDF's text has the "fi" ligature: "file" is left out of the search.)
    const std::string text = run("pdftotext", {qPath(pdf), "-"});
    EXPECT_NE(text.find("No readings have been taken in this"), std::string::npos);
    // The file's dates are written as the report's own date is.
    EXPECT_NE(text.find("2026-12-08 11:22"), std::string::npos) << text;
    EXPECT_EQ(text.find("12/08/2026"), std::string::npos) << text;
}

TEST_F(ReportTest, AnUnreadableFileOrADeclinedOverwriteWritesNothing) {
    const std::string pdf = out("kept.pdf");
    QFile kept(qPath(pdf));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("before");
    kept.close();
    const std::string path = write("PIPE-A.CSV", sample("PIPE-A.CSV"));
    EXPECT_FALSE(saveInspectionReport(out("MISSING.CSV"), "", pdf, signer(texts), voice));
    voice.answers = {false};
    EXPECT_FALSE(saveInspectionReport(path, "", pdf, signer(texts), voice));
    ASSERT_EQ(voice.said.size(), 2u);
    EXPECT_EQ(voice.said[0].kind, MessageKind::Error);
    EXPECT_EQ(voice.said[1].kind, MessageKind::Question);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "before");
}

}  // namespace
}  // namespace korvel::test
