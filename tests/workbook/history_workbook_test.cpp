// The history's workbook read back with openpyxl: the figures of "archive rates", every value
// of every survey with its date, a hole and a left-out reading told apart, the audit log, the
// document properties; saving it like every other writer; and korvel-cli archive workbook.

#include <gtest/gtest.h>

#include "app/safe_file.h"
#include "app/text_table.h"
#include "history/history_json.h"
#include "history/history_open.h"
#include "survey/survey_date.h"
#include "tests/support/recording_voice.h"
#include "tests/support/temp_folder.h"
#include "tests/workbook/workbook_reader.h"
#include "tools/sample_files.h"
#include "workbook/history_workbook.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;
using namespace korvel::history;

constexpr long long kAuditSeconds = 1765000000;  // 2025-12-06T05:46:40Z

std::string cell(int column, std::size_t row) {
    return std::string(1, char('A' + column)) + std::to_string(row);
}

std::string number(double value) {
    return "n:" + std::to_string(value);
}

class HistoryWorkbook : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = test::uniqueTempFolder("korvel-history-workbook");
        ASSERT_FALSE(root_.empty());
        auto storage = openHistoryStorage((root_ / "h.sqlite").string());
        ASSERT_TRUE(storage);
        history_.emplace(std::move(*storage), [] { return kAuditSeconds; });
        AssetChange change{"TANK N", 0.1, "IN", InspectionCode::Api653, {}};
        change.title[TitleField::Client] = "Acme Oil";
        ASSERT_TRUE(history_->setAsset(change));
        for (const auto& file : samples::sampleSet()) {
            if (file.name.rfind("TANK-N", 0) == 0) {
                ASSERT_TRUE(history_->addSurvey("TANK N", file.name, file.bytes));
            }
        }
        ASSERT_TRUE(history_->exclude("TANK N", 2, "A0001", "probe lifted"));
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string path(const std::string& name) const { return (root_ / name).string(); }

    fs::path root_;
    std::optional<InspectionHistory> history_;
};

TEST_F(HistoryWorkbook, ReadsBackWithTheFiguresOfArchiveRates) {
    const auto content = assetHistory(*history_, "TANK N");
    ASSERT_TRUE(content);
    const auto bytes = historyWorkbookBytes(*content, "Korvel - Version 3.7.3");
    ASSERT_TRUE(bytes);
    ASSERT_TRUE(writeFileSafely(path("h.xlsx"), *bytes));
    const auto back = test::readWorkbook(root_ / "h.xlsx");
    ASSERT_EQ(back.status, 0) << back.errors;
    EXPECT_EQ(back.at("sheets"), "Figures,Values,Audit log");
    EXPECT_EQ(back.at("title"), "TANK N");
    EXPECT_EQ(back.at("creator"), "Korvel - Version 3.7.3");

    const AssetFigures& figures = content->figures;
    const LocationFigures& first = figures.locations.at(0);
    const LocationFigures& due = figures.locations.at(*figures.dueFirst);
    // Nine facts, the one title field given, a blank row, the header: the first location at 13.
    const std::vector<std::pair<std::string, std::string>> cells = {
        {"Figures!B1", "s:TANK N"},
        {"Figures!B3", "n:0.1"},
        {"Figures!B7", "n:3"},
        {"Figures!B8", "d:" + isoDateText(*due.nextInspectionMinutes) + "T00:00:00"},
        {"Figures!C8", "s:" + due.location},
        {"Figures!A10", "s:Client"},
        {"Figures!B10", "s:Acme Oil"},
        {"Figures!L12", "s:Governing rate (IN/year)"},
        {"Figures!A13", "s:" + first.location},
        {"Figures!B13", "n:" + std::to_string(first.values)},
        {"Figures!C13", "d:" + isoDateText(first.initial->dateMinutes) + "T00:00:00"},
        {"Figures!H13", number(first.actual->value)},
        {"Figures!L13", number(*first.governingRate)},
        {"Figures!M13", number(*first.remainingLife)},
        {"Figures!O13", "b:False"},
        {"Values!B1", "s:TANK-N-22.CSV"},
        {"Values!D2", "d:2026-11-19T00:00:00"},
        {"Values!A3", "s:" + first.location},
        {"Values!C3", number(content->readings.at(192).value.value())},
        {"Values!C3!strike", "1"},
        {"Values!C3!comment", "probe lifted"},
        {"Audit log!A2", "d:2025-12-06T05:46:40"},
        {"Audit log!C2", "s:asset"},
        {"Audit log!C3", "s:add"},
        {"Audit log!D3", "n:1"},
        {"Audit log!F3", "s:TANK-N.CSV"},
        {"Audit log!F5", "s:TANK-N-22.CSV"},
        {"Audit log!C6", "s:exclude"},
        {"Audit log!F6", "s:probe lifted"},
    };
    for (const auto& [key, value] : cells) {
        EXPECT_TRUE(test::sameValue(back.at(key), value)) << key << ": " << back.at(key);
    }
    // The survey's first reading of A0001 is the excluded one, and every hole of the first
    // survey is a shaded empty cell.
    EXPECT_EQ(content->readings.at(192).location, "A0001");
    int holes = 0;
    for (std::size_t i = 0; i < figures.locations.size(); ++i) {
        const std::string at = "Values!" + cell(1, i + 3);
        if (back.at(at + "!fill") == "gray125") {
            EXPECT_EQ(back.at(at), "") << at;
            ++holes;
        }
    }
    EXPECT_EQ(holes, 8);
}

TEST_F(HistoryWorkbook, SavesLikeEveryOtherWriterAndTheCliWritesIt) {
    const TextTable texts;
    test::RecordingVoice voice;
    ASSERT_TRUE(writeFileSafely(path("old.xlsx"), "old"));
    voice.answers = {false};
    EXPECT_FALSE(saveHistoryWorkbook(*history_, {"TANK N", path("old.xlsx")}, texts, "K", voice));
    EXPECT_EQ(*readFileBytes(path("old.xlsx")), "old");
    EXPECT_FALSE(saveHistoryWorkbook(*history_, {"NONE", path("n.xlsx")}, texts, "K", voice));
    EXPECT_EQ(voice.said.back().kind, MessageKind::Error);
    EXPECT_FALSE(fs::exists(path("n.xlsx")));

    const test::ProgramSetup setup{
        root_.string(),
        {{"HOME", root_.string()}, {"XDG_CONFIG_HOME", (root_ / "config").string()}},
        path("out.txt"),
        path("err.txt")};
    const auto run = test::runProgram(KORVEL_CLI_PATH,
                                      {"--archive", path("h.sqlite"), "--folder", root_.string(),
                                       "archive", "workbook", "TANK N"},
                                      setup);
    EXPECT_EQ(run.status, 0) << run.err;
    const auto back = test::readWorkbook(root_ / "TANK N.xlsx");
    EXPECT_EQ(back.at("Values!C2"), "d:2024-11-14T00:00:00");
}

}  // namespace
}  // namespace korvel
