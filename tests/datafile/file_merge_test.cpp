#include "datafile/file_merge.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

#include <filesystem>

#include "app/platform.h"
#include "app/safe_file.h"
#include "app/text_format.h"
#include "tests/support/recording_voice.h"

namespace korvel {
namespace {

using Keys = std::vector<std::string>;

TEST(FileMerge, LineKeys) {
    EXPECT_EQ(lineKeys(",1,2,\r\nA,1,2,\r\nB,3,\r\n,x,\r\nplain\r\n"),
              (Keys{"-1", "A", "B", "-2", "plain"}));
    EXPECT_EQ(lineKeys("A,1\nB"), (Keys{"A", "B"}));
    EXPECT_EQ(lineKeys(""), Keys{});
    EXPECT_EQ(lineKeys("\xEF\xBB\xBF,1,\r\nA,1,\r\n"), (Keys{"-1", "A"}));
    EXPECT_TRUE(isGridFile("\xEF\xBB\xBF,1,\r\n"));
    EXPECT_FALSE(isGridFile("Filename,\r\n"));
    // Keys are compared one by one, never as one joined text.
    EXPECT_NE(lineKeys("AB,\nC,\n"), lineKeys("A,\nBC,\n"));
}

TEST(FileMerge, HeadingColumns) {
    const struct {
        const char* heading;
        int column;
    } cases[] = {{"1", 1},   {" 007 ", 7}, {"12abc", 12}, {"a", 1}, {"C", 3},
                 {"AA", 27}, {"X1", 24},   {"", 0},       {"-", 0}, {"0", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(headingColumn(c.heading), c.column) << c.heading;
    }
}

TEST(FileMerge, MergesColumnsAlignedUnderTheirHeadings) {
    const struct {
        const char* name;
        std::vector<std::string> files;
        std::string merged;
    } cases[] = {
        {"two halves",
         {",1,2,\r\nA,0.1,0.2,\r\nB,0.3,0.4,\r\n", ",3,4,\r\nA,0.5,0.6,\r\nB,0.7,0.8,\r\n"},
         ",1,2,3,4,\r\nA,0.1,0.2,0.5,0.6,\r\nB,0.3,0.4,0.7,0.8,\r\n"},
        {"a taken first column keeps its value and drops the later row",
         {",1,2,\r\nA,0.1,0.2,\r\nB,0.3,,\r\n", ",2,3,\r\nA,9,9,\r\nB,0.5,0.6,\r\n"},
         ",1,2,3,\r\nA,0.1,0.2,,\r\nB,0.3,0.5,0.6,\r\n"},
        {"earlier columns go before, nothing moves",
         {",3,4,\nA,x,y,\n", ",1,2,\nA,p,q,\n"},
         ",1,2,3,4,\r\nA,p,q,x,y,\r\n"},
        {"a column without a heading", {",1,\nA,a,\n", ",3,\nA,c,\n"}, ",1,,3,\r\nA,a,,c,\r\n"},
        {"letter headings and values without a trailing comma",
         {",A,B,\nR1,1,2\n", ",c,\nR1,3,\n"},
         ",A,B,C,\r\nR1,1,2,3,\r\n"},
        {"headings as numbers without leading zeros", {",01,02,\nA,1,2,\n"}, ",1,2,\r\nA,1,2,\r\n"},
        {"rows the first file lacks are dropped; lines without commas stay",
         {",1,\nA,1,\nnote\n", ",2,\nA,2,\nZ,9,\nnote\n"},
         ",1,2,\r\nA,1,2,\r\nnote\r\n"},
        {"a column headed twice keeps its first heading",
         {",1,B,\nA,1,2,\n", ",3,2,\nA,3,\n"},
         ",1,B,3,\r\nA,1,2,3,\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(mergedBytes(c.files), c.merged) << c.name;
    }
}

TEST(FileMerge, ValuesAfterTheLargestHeadingColumnAreDropped) {
    // A heading read as the largest column: the values after it must not wrap around.
    const std::string merged =
        mergedBytes({",1,2," + std::string(40, '9') + ",?,\r\nA,1,2,3,4,\r\n"});
    EXPECT_EQ(merged, ",1,2,\r\nA,1,2,\r\n");
}

TEST(FileMerge, HostileHeadingsStayWithinTheColumnBound) {
    const std::string merged = mergedBytes({",99999999,\nA,1,\n", ",2,\nA,2,\n"});
    EXPECT_EQ(merged, ",,2,\r\nA,,2,\r\n");
}

TEST(FileMerge, OutputNames) {
    for (const char* name : {"PIPE", "PIPE.CSV", "PIPE.csv", "pipe", "Pipe.Csv"}) {
        EXPECT_EQ(mergedFilePath("/d", name), joinPath("/d", "PIPE.CSV")) << name;
    }
}

class FileMergeFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = test::uniqueTempFolder("korvel-merge-test");
        std::filesystem::create_directories(folder_);
        put("G1.CSV", ",1,2,\r\nA,1,2,\r\nB,3,4,\r\n");
        put("G2.csv", ",3,\r\nA,5,\r\nB,6,\r\n");
        put("OTHER.CSV", ",1,\r\nA,1,\r\nC,2,\r\n");
        put("NOTES.TXT", ",1,\r\nA,1,\r\nB,2,\r\n");
        put("DATA.CSV", "Filename,Type,\r\nDATA.CSV,2D,\r\n");
        put("ZERO.CSV", ",0,4,\r\nA,1,2,\r\nZ,3,4,\r\n");
        put("HIGH.CSV", ",4,5001,\r\nA,1,2,\r\nZ,3,4,\r\n");
        put("TWICE.CSV", ",4,,5,\r\nA,1,2,3,\r\nZ,3,4,5,\r\n");
        put("BLANK.CSV", ", ,5,\r\nA,1,2,\r\nZ,3,4,\r\n");
        put("WIDE.CSV", ",1,5000,\r\nA,1\r\nZ,2,\r\n");
        std::string tall = ",1,2,\r\n";
        for (int row = 1; row <= 2501; ++row) {
            tall += std::to_string(row) + ",1,2,\r\n";
        }
        put("TALL.CSV", tall);
        put("BROAD.CSV", ",2501,\r\nA,1,\r\n");
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    void put(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(writeFileSafely((folder_ / name).string(), bytes));
    }
    std::string folder() const { return folder_.string(); }

    std::filesystem::path folder_;
    TextTable texts_;
};

TEST_F(FileMergeFolder, FindsFilesWithTheSameKeys) {
    test::RecordingVoice voice;
    EXPECT_EQ(findMatchingFiles(folder(), "G1.CSV", voice, texts_), (Keys{"G1.CSV", "G2.csv"}));
    EXPECT_TRUE(voice.said.empty());
    EXPECT_FALSE(voice.waitCursor);
}

TEST_F(FileMergeFolder, MergesAndSaysSo) {
    test::RecordingVoice voice;
    const MergeResult result = mergeFiles(folder(), {"G1.CSV", "G2.csv"}, "all", voice, texts_);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.path, joinPath(folder(), "ALL.CSV"));
    EXPECT_EQ(readFileBytes(result.path), ",1,2,3,\r\nA,1,2,5,\r\nB,3,4,6,\r\n");
    EXPECT_EQ(voice.said,
              (std::vector<test::Said>{
                  {MessageKind::Notice, "Successfully created new merged file : " + result.path}}));
}

TEST_F(FileMergeFolder, RefusesWhatCannotBeMerged) {
    struct Case {
        std::string name;
        std::vector<std::string> files;
        std::string mergedName;
        test::Said said;
        bool focusName;
    };
    std::vector<Case> cases = {
        {"nothing selected",
         {},
         "ALL",
         {MessageKind::Warning, "Select one or more files to merge"},
         false},
        {"no name",
         {"G1.CSV"},
         "",
         {MessageKind::Warning, "Enter file name for merged file"},
         true},
        {"a data file",
         {"G1.CSV", "DATA.CSV"},
         "ALL",
         {MessageKind::Error,
          "Only grid files can be merged: their first line begins with a comma and names the "
          "columns. Not a grid file: DATA.CSV"},
         false},
    };
    const std::string invalidName =
        "Invalid file name. Valid file name can be 16 characters or less containing "
        "0-9,A-Z(upper case),+,-";
    for (const char* name : {"ABCDEFGHIJKLMNOPQ", "ALL_1", "ALL 1", "ALL.TXT"}) {
        cases.push_back({name, {"G1.CSV"}, name, {MessageKind::Error, invalidName}, true});
    }
    const std::string plainName =
        "The merged file is made in the selected folder: enter a file name without a folder";
    const std::string losing =
        "A heading names no column, a column above 5000 or a column twice, so values would be "
        "lost. Not merged: ";
    for (const char* name : {"../ALL", "sub/ALL", "sub\\ALL", ".."}) {
        cases.push_back({name, {"G1.CSV"}, name, {MessageKind::Warning, plainName}, true});
    }
    for (const char* file : {"ZERO.CSV", "HIGH.CSV", "TWICE.CSV", "BLANK.CSV"}) {
        cases.push_back(
            {file, {"G1.CSV", file}, "ALL", {MessageKind::Error, losing + file}, false});
    }
    // A grid bigger than a data file, alone or merged, and a heading wider than every row.
    const std::string tooLarge =
        "Merging %s gives a grid of %s x %s (rows x columns), %s locations in all; "
        "a data file holds at most 5000. Nothing was merged: merge fewer "
        "or smaller files.";
    cases.push_back(
        {"tall",
         {"G1.CSV", "TALL.CSV"},
         "ALL",
         {MessageKind::Error, formatWithArguments(tooLarge, {"TALL.CSV", "2501", "2", "5002"})},
         false});
    cases.push_back(
        {"broad",
         {"G1.CSV", "BROAD.CSV"},
         "ALL",
         {MessageKind::Error, formatWithArguments(tooLarge, {"BROAD.CSV", "2", "2501", "5002"})},
         false});
    cases.push_back({"wide",
                     {"WIDE.CSV", "G1.CSV"},
                     "ALL",
                     {MessageKind::Error,
                      "The heading line of WIDE.CSV names column 5000, but no row of the file "
                      "reaches past column 1. Not merged: correct the heading line of the file."},
                     false});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RecordingVoice voice;
        const MergeResult result = mergeFiles(folder(), c.files, c.mergedName, voice, texts_);
        EXPECT_FALSE(result.written);
        EXPECT_EQ(result.focusName, c.focusName);
        EXPECT_EQ(voice.said, std::vector<test::Said>{c.said});
        EXPECT_FALSE(std::filesystem::exists(folder_ / "ALL.CSV"));
    }
}

TEST_F(FileMergeFolder, AnExistingFileIsReplacedOnlyAfterYes) {
    put("ALL.CSV", "readings\r\n");
    const std::string question = "File already exists. Do you want to overwrite?\n\nALL.CSV";
    test::RecordingVoice declines;
    EXPECT_FALSE(mergeFiles(folder(), {"G1.CSV", "G2.csv"}, "ALL", declines, texts_).written);
    EXPECT_EQ(declines.said, (std::vector<test::Said>{{MessageKind::Question, question}}));
    EXPECT_EQ(readFileBytes(folder() + "/ALL.CSV"), "readings\r\n");

    test::RecordingVoice accepts;
    accepts.answers = {true};
    EXPECT_TRUE(mergeFiles(folder(), {"G1.CSV", "G2.csv"}, "ALL", accepts, texts_).written);
    EXPECT_EQ(accepts.said.front(), (test::Said{MessageKind::Question, question}));
    EXPECT_EQ(readFileBytes(folder() + "/ALL.CSV"), ",1,2,3,\r\nA,1,2,5,\r\nB,3,4,6,\r\n");
}

}  // namespace
}  // namespace korvel
