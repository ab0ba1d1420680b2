// The history report as PDF, read back with pdftotext: the first page carries the title
// fields kept with the asset, its next inspection and the table's rows; an unknown asset or a
// declined overwrite writes nothing.

#include <gtest/gtest.h>

#include <QFile>
#include <sstream>

#include "app/safe_file.h"
#include "app/text_table.h"
#include "datafile/number_text.h"
#include "history/history_open.h"
#include "report/history_report.h"
#include "survey/survey_date.h"
#include "tests/report/pdf_text.h"
#include "tests/support/recording_voice.h"
#include "tests/support/temp_folder.h"
#include "tools/sample_files.h"

namespace korvel::test {
namespace {

namespace fs = std::filesystem;
using namespace korvel::history;

// The text with every run of blanks as one blank.
std::string squeezed(const std::string& text) {
    std::istringstream words(text);
    std::string result;
    for (std::string word; words >> word;) {
        result += (result.empty() ? "" : " ") + word;
    }
    return result;
}

class HistoryReport : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = uniqueTempFolder("korvel-history-report");
        ASSERT_FALSE(root_.empty());
        auto storage = openHistoryStorage((root_ / "h.sqlite").string());
        ASSERT_TRUE(storage);
        history_.emplace(std::move(*storage));
        AssetChange change{"TANK N", 0.1, "IN", InspectionCode::Api570, 2, 0.375, {}};
        change.title[TitleField::Client] = "Acme Oil";
        change.title[TitleField::Site] = "North yard";
        change.title[TitleField::Inspector] = "J. Doe";
        change.title[TitleField::GaugeSerial] = "SN 4711";
        change.title[TitleField::Comments] = "Shell course 1";
        ASSERT_TRUE(history_->setAsset(change));
        for (const char* name : {"TANK-N-22.CSV", "TANK-N-24.CSV", "TANK-N.CSV"}) {
            ASSERT_TRUE(history_->addSurvey("TANK N", name, sample(name)));
        }
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string path(const std::string& name) const { return (root_ / name).string(); }

    fs::path root_;
    std::optional<InspectionHistory> history_;
};

TEST_F(HistoryReport, TheFirstPageCarriesTheTitleFieldsTheNextInspectionAndTheTable) {
    const TextTable texts;
    RecordingVoice voice;
    ASSERT_TRUE(saveHistoryReport(*history_, "TANK N", path("h.pdf"), signer(texts), voice));
    EXPECT_TRUE(voice.said.empty());
    EXPECT_GT(pdfPages(path("h.pdf")), 2);
    const std::string page =
        squeezed(run("pdftotext", {"-f", "1", "-l", "1", "-layout", qPath(path("h.pdf")), "-"}));

    const auto figures = history_->figures("TANK N");
    ASSERT_TRUE(figures);
    const LocationFigures& due = figures->locations.at(*figures->dueFirst);
    const LocationFigures& first = figures->locations.at(0);
    const std::string row =
        first.location + " " + fixedDecimals(first.actual->value, 3) + " " +
        isoDateText(first.actual->dateMinutes) + " " + fixedDecimals(*first.longTermRate, 4) + " " +
        fixedDecimals(*first.shortTermRate, 4) + " " + fixedDecimals(*first.governingRate, 4) +
        " " + fixedDecimals(*first.remainingLife, 2) + " " +
        isoDateText(*first.nextInspectionMinutes);
    for (const std::string& part : {
             std::string("Inspection History Report Client Acme Oil Site North yard Asset TANK N "
                         "Nominal thickness 0.375 IN Required thickness 0.100 IN Code and class "
                         "api570, class 2 Inspector J. Doe Serial number SN 4711 Comments Shell "
                         "course 1"),
             "Next inspection of the asset " + isoDateText(*due.nextInspectionMinutes) + " (" +
                 due.location + ")",
             std::string("Surveys 3: 2022-11-08 - 2026-11-19"),
             std::string("Locations (thicknesses in IN, rates in IN per year)"),
             std::string("Location Actual Date Long-term Short-term Governing Life (years) Next "
                         "inspection"),
             row,
         }) {
        EXPECT_NE(page.find(part), std::string::npos) << part << "\nnot in\n" << page;
    }
}

TEST_F(HistoryReport, TheUnitsShownAreTheOnesAskedFor) {
    const TextTable texts;
    RecordingVoice voice;
    ASSERT_TRUE(saveHistoryReport(*history_, "TANK N", path("mm.pdf"), signer(texts), voice,
                                  OverwriteAsked::No, ThicknessUnits::Millimetres));
    const std::string page =
        squeezed(run("pdftotext", {"-f", "1", "-l", "1", "-layout", qPath(path("mm.pdf")), "-"}));
    const auto figures = history_->figures("TANK N");
    ASSERT_TRUE(figures);
    const auto& first = figures->locations.at(0);
    for (const std::string& part :
         {std::string("Required thickness 2.54 MM"),
          std::string("Locations (thicknesses in MM, rates in MM per year)"),
          first.location + " " + fixedDecimals(first.actual->value * 25.4, 2) + " " +
              isoDateText(first.actual->dateMinutes) + " " +
              fixedDecimals(*first.longTermRate * 25.4, 4)}) {
        EXPECT_NE(page.find(part), std::string::npos) << part << "\nnot in\n" << page;
    }
}

TEST_F(HistoryReport, AnUnknownAssetOrADeclinedOverwriteWritesNothing) {
    const TextTable texts;
    RecordingVoice voice;
    EXPECT_FALSE(saveHistoryReport(*history_, "NONE", path("n.pdf"), signer(texts), voice));
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0].kind, MessageKind::Error);
    EXPECT_NE(voice.said[0].text.find("NONE"), std::string::npos);
    EXPECT_FALSE(fs::exists(path("n.pdf")));
    ASSERT_TRUE(writeFileSafely(path("old.pdf"), "old"));
    voice.answers = {false};
    EXPECT_FALSE(saveHistoryReport(*history_, "TANK N", path("old.pdf"), signer(texts), voice));
    EXPECT_EQ(voice.said.back().kind, MessageKind::Question);
    EXPECT_EQ(*readFileBytes(path("old.pdf")), "old");
}

}  // namespace
}  // namespace korvel::test
