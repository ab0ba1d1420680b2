// The survey workbook read back with openpyxl: the values and types of the cells of every
// sheet, the holes empty, the map's colour scale and low-alarm marks, the document properties;
// the same under a comma-decimal locale; saving it like every other writer.

#include <gtest/gtest.h>
#include <cstring>

#include <clocale>
#include <fstream>

#include "app/safe_file.h"
#include "app/save_calls.h"
#include "app/text_table.h"
#include "datafile/data_file_reader.h"
#include "tests/support/recording_voice.h"
#include "tests/support/scripted_save_calls.h"
#include "tests/support/temp_folder.h"
#include "tests/survey/survey_fixtures.h"
#include "tests/workbook/workbook_reader.h"
#include "tools/sample_files.h"
#include "workbook/survey_workbook.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kProgram = "Korvel - Version 3.7.3";

class SurveyWorkbook : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = test::uniqueTempFolder("korvel-workbook");
        ASSERT_FALSE(root_.empty());
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string path(const std::string& name) const { return (root_ / name).string(); }

    void writeFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }

    // The workbook of the data file's bytes, compared with an earlier survey when given.
    test::ReadBack workbookOf(const std::string& bytes, const std::string& earlierBytes = "") {
        const DataFile file = parseDataFile(bytes);
        const DataFile earlier = parseDataFile(earlierBytes);
        const SurveyWorkbookSubject subject{
            file, "G-NOW.CSV", earlierBytes.empty() ? nullptr : &earlier, "G-THEN.CSV"};
        const auto workbook = surveyWorkbookBytes(subject, kProgram);
        EXPECT_TRUE(workbook);
        writeFile("book.xlsx", workbook.value_or(""));
        auto back = test::readWorkbook(root_ / "book.xlsx");
        EXPECT_EQ(back.status, 0) << back.errors;
        return back;
    }

    fs::path root_;
};

struct CellCase {
    const char* key;
    const char* value;  // "" for an empty cell
};

void expectCells(const test::ReadBack& back, const std::vector<CellCase>& cases) {
    for (const auto& [key, value] : cases) {
        EXPECT_TRUE(test::sameValue(back.at(key), value))
            << key << " reads " << back.at(key) << ", not " << value;
    }
}

TEST_F(SurveyWorkbook, EverySheetReadsBackWithTheFiguresOfStatsAndCompare) {
    const auto back = workbookOf(test::currentGrid(), test::earlierGrid());
    expectCells(
        back,
        {
            {"sheets", "Readings,Map,Statistics,Comparison,Setups,Notes"},
            {"title", "G-NOW.CSV"},
            {"creator", kProgram},
            // Readings: every column, the ID a text, thickness a number, a hole empty.
            {"Readings!freeze", "A2"},
            {"Readings!filter", "A1:E7"},
            {"Readings!A1!style", "bold,"},
            {"Readings!B1", "s:Thickness (IN)"},
            {"Readings!A2", "s:A0001"},
            {"Readings!B2", "n:0.25"},
            {"Readings!B3", ""},
            {"Readings!D4", "s:LOW"},
            {"Readings!E4", "n:1"},
            // Map: letters across, numbers down, minima beside and below, the low alarm marked.
            {"Map!B1", "s:A"},
            {"Map!A3", "s:2"},
            {"Map!C2", "n:0.18"},
            {"Map!C2!style", "bold,medium"},
            {"Map!D2!style", ""},
            {"Map!B3", ""},
            {"Map!E1", "s:Min"},
            {"Map!E2", "n:0.18"},
            {"Map!E3", "n:0.22"},
            {"Map!B4", "n:0.25"},
            {"Map!D4", "n:0.18"},
            {"Map!scale", "B2:D3:3"},
            {"Map!freeze", "B2"},
            // Statistics: the file and the figures of stats, dates as dates.
            {"Statistics!B1", "s:G-NOW.CSV"},
            {"Statistics!B5", "d:2024-12-31T06:00:00"},
            {"Statistics!B7", "n:6"},
            {"Statistics!B10", "n:5"},
            {"Statistics!B11", "n:1"},
            {"Statistics!A12", "s:Minimum (IN)"},
            {"Statistics!B12", "n:0.18"},
            {"Statistics!B13", "s:B0001, C0001"},
            {"Statistics!B16", "n:0.226"},
            {"Statistics!C19", "n:1"},
            // Comparison: the figures of compare, per location.
            {"Comparison!B3", "n:365.25"},
            {"Comparison!B6", "n:0.02"},
            {"Comparison!C6", "s:B0001, C0001"},
            {"Comparison!B8", "n:1.5"},
            {"Comparison!filter", "A10:F16"},
            {"Comparison!D11", "n:0.01"},
            {"Comparison!F11", "n:10"},
            {"Comparison!B12", "n:0.24"},
            {"Comparison!C12", ""},
            {"Comparison!D12", ""},
            {"Comparison!F16", ""},
            // Setups and Notes as the file holds them.
            {"Setups!C1", "s:Low Alarm"},
            {"Setups!C2", "n:0.15"},
            {"Notes!A1", "s:Note #"},
        });
}

TEST_F(SurveyWorkbook, EveryLayerOfAGridHasAMapSheet) {
    const auto back = workbookOf(test::surveyBytes(
        {"Type=3D", "Start Col=A", "End Col=B", "Start Row=1", "End Row=1", "Start Elev=1",
         "End Elev=2", "1st Inc=COL", "2nd Inc=ELEV"},
        {{"A0001E1", "0.100"}, {"B0001E1", "0.200"}, {"A0001E2", "0.300"}, {"B0001E2", "-"}}));
    expectCells(back, {{"sheets", "Readings,Map ELEV 1,Map ELEV 2,Statistics,Setups,Notes"},
                       {"Map ELEV 2!B2", "n:0.3"},
                       {"Map ELEV 2!C2", ""},
                       {"Map ELEV 2!scale", "B2:C2:3"},
                       {"Statistics!C9", "s:ELEV 1"},
                       {"Statistics!D12", "n:0.3"}});
}

TEST_F(SurveyWorkbook, ASequenceHasNoMap) {
    const auto back =
        workbookOf(test::surveyBytes({"Type=LINEAR"}, {{"0001", "0.100"}, {"0002", "--.---"}}));
    expectCells(back, {{"sheets", "Readings,Statistics,Setups,Notes"},
                       {"Readings!A2", "s:0001"},
                       {"Readings!B3", ""},
                       {"Statistics!B11", "n:1"}});
}

// A control character (a blank in the cell) and a byte that is not UTF-8 (a Windows-1252 'é')
// in the file's texts; XML's own characters.
TEST_F(SurveyWorkbook, FileTextsOfAnyBytesReadBack) {
    std::string bytes = test::currentGrid();
    bytes.replace(bytes.find(",6,1,0,\n"), 8, ",6,1,1,\n");  // "# Notes": 1
    bytes.replace(bytes.find("\nNote #,\n"), 9, "\nNote #,Note,\n1,Caf\xE9 \x01 <&>,\n");
    const auto back = workbookOf(bytes);
    expectCells(back, {{"Notes!A2", "n:1"}, {"Notes!B2", "s:Caf\xC3\xA9   <&>"}});
}

// The numbers of a workbook are written the same whatever the locale of the process (the
// program's window sets the user's).
TEST_F(SurveyWorkbook, ACommaDecimalLocaleChangesNothing) {
    const auto plain = workbookOf(test::currentGrid(), test::earlierGrid());
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP() << "no de_DE.UTF-8 locale (tools/install-deps.sh makes it)";
    }
    const auto comma = workbookOf(test::currentGrid(), test::earlierGrid());
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(comma.at("Readings!B2"), "n:0.25");
    EXPECT_EQ(comma.lines, plain.lines);
}

TEST_F(SurveyWorkbook, TheLargestFileTakesLessThanTwoMegabytes) {
    const DataFile file = samples::largestThicknessOnly("BIG5000.CSV", 17);
    const auto workbook = surveyWorkbookBytes({file, "BIG5000.CSV"}, kProgram);
    ASSERT_TRUE(workbook);
    EXPECT_LT(workbook->size(), 2u * 1024 * 1024);
}

// saveSurveyWorkbook: what it says and what is on the disk afterwards.
struct SaveCase {
    const char* name;
    std::string earlier;  // the earlier file's bytes; empty for none, "missing" for no file
    std::vector<bool> answers;
    int failAt = 0;  // the save call that fails
    bool saved;
    std::vector<test::Said> said;  // "PATH" stands for the workbook's path
};

TEST_F(SurveyWorkbook, SavesLikeEveryOtherWriter) {
    using K = MessageKind;
    const std::string question = "File already exists. Do you want to overwrite?\n\nNOW.xlsx";
    const SaveCase cases[] = {
        {"declined", "", {false}, 0, false, {{K::Question, question}}},
        {"replaced", "", {true}, 0, true, {{K::Question, question}}},
        {"failed rename",
         "",
         {true},
         6,
         false,
         {{K::Question, question},
          {K::Error, "Error saving file - PATH\n\n" + std::string(std::strerror(EIO))}}},
        {"another layout",
         test::surveyBytes({"Type=LINEAR"}, {{"0001", "0.1"}}),
         {},
         0,
         false,
         {{K::Error, TextTable().message("IDS_ERR_SURVEY_LAYOUT_MISMATCH")}}},
        {"earlier missing",
         "missing",
         {},
         0,
         false,
         {{K::Error, "Error opening file - " + path("THEN.CSV")}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile("NOW.CSV", test::currentGrid());
        writeFile("NOW.xlsx", "old");
        fs::remove(path("THEN.CSV"));
        if (!c.earlier.empty() && c.earlier != "missing") {
            writeFile("THEN.CSV", c.earlier);
        }
        test::RecordingVoice voice;
        voice.answers.assign(c.answers.begin(), c.answers.end());
        test::ScriptedSaveCalls calls;
        calls.failAt = c.failAt;
        calls.error = EIO;
        const SaveCallsOverride seam(calls);
        const SurveyWorkbookRequest request{
            path("NOW.CSV"), c.earlier.empty() ? "" : path("THEN.CSV"), path("NOW.xlsx")};
        EXPECT_EQ(saveSurveyWorkbook(request, TextTable(), kProgram, voice), c.saved);
        std::vector<test::Said> expected = c.said;
        for (auto& said : expected) {
            if (const auto at = said.text.find("PATH"); at != std::string::npos) {
                said.text.replace(at, 4, path("NOW.xlsx"));
            }
        }
        EXPECT_EQ(voice.said, expected);
        const auto bytes = readFileBytes(path("NOW.xlsx")).value_or("");
        EXPECT_EQ(bytes.rfind("PK", 0) == 0, c.saved) << "the old file stays unless saved";
        EXPECT_EQ(bytes == "old", !c.saved);
    }
}

}  // namespace
}  // namespace korvel
