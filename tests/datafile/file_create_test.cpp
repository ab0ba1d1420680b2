#include "datafile/file_create.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

#include <filesystem>

#include "app/name_check.h"
#include "app/platform.h"
#include "app/safe_file.h"
#include "datafile/data_file_reader.h"
#include "datafile/location_value.h"
#include "datafile/next_survey.h"
#include "tests/support/recording_voice.h"

namespace korvel {
namespace {

using test::RecordingVoice;
using test::Said;

const char* const kValueMessage = "Enter value as 1-5000 or A-ZZ";
const char* const kMismatch = "Mismatch in value type for Start and End";
const char* const kOrder = "Start value cannot be greater than End value";
const char* const kIncrements = "1st Inc value cannot be equal to 2nd Inc value";

std::tm fixedTime() {
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_mday = 7;
    time.tm_hour = 21;
    time.tm_min = 5;
    return time;
}

CreateRequest linear(const char* start, const char* end, const char* save = kSaveThkOnly) {
    CreateRequest r;
    r.product = "Color Corrosion Gage";
    r.fileName = "PIPE1";
    r.saveMode = save;
    r.start = start;
    r.end = end;
    return r;
}

CreateRequest twoD(const char* cols, const char* rows, const char* save) {
    CreateRequest r = linear("", "", save);
    r.type = "2D";
    r.startCol = std::string(cols, 1);
    r.endCol = std::string(cols + 2);
    r.startRow = std::string(rows).substr(0, std::string(rows).find('.'));
    r.endRow = std::string(rows).substr(std::string(rows).rfind('.') + 1);
    r.firstInc = "ROW";
    return r;
}

CreateRequest boiler(const char* pattern, const char* save) {
    CreateRequest r = linear("", "", save);
    r.type = "BOILER";
    r.startTube = "1";
    r.endTube = "20";
    r.startElev = "1";
    r.endElev = "4";
    r.testPts = pattern;
    r.firstInc = "TEST PTS";
    r.secondInc = "TUBE";
    return r;
}

CreateRequest threeD(const char* first, const char* second) {
    CreateRequest r = linear("", "", kSaveThkOnly);
    r.type = "3D";
    r.startCol = "A";
    r.endCol = "C";
    r.startRow = "1";
    r.endRow = "3";
    r.startElev = "1";
    r.endElev = "2";
    r.firstInc = first;
    r.secondInc = second;
    return r;
}

TEST(LocationValue, FollowsTheValueRule) {
    const struct {
        const char* text;
        LocationKind kind;
        long value;
    } cases[] = {
        {"1", LocationKind::Number, 1},     {"5000", LocationKind::Number, 5000},
        {"5001", LocationKind::Invalid, 0}, {"1.5", LocationKind::Number, 1},
        {"  ", LocationKind::Invalid, 0},   {"", LocationKind::Invalid, 0},
        {"A", LocationKind::Letters, 1},    {"ZZ", LocationKind::Letters, 702},
        {"A1", LocationKind::Letters, 11},  {"ABC", LocationKind::Invalid, 0},
        {"1A", LocationKind::Invalid, 0},   {"A,", LocationKind::Invalid, 0},
        {"Z\n", LocationKind::Invalid, 0},  {"0", LocationKind::Invalid, 0},
    };
    for (const auto& c : cases) {
        const LocationValue v = parseLocationValue(c.text);
        EXPECT_EQ(v.kind, c.kind) << '"' << c.text << '"';
        EXPECT_EQ(v.value, c.value) << '"' << c.text << '"';
    }
}

TEST(FileCreate, LayoutChecksSpeakInOrderAndFocusTheRightBox) {
    const char* const linearAscan =
        "(End - Start + 1) cannot be more than 160 for Save Mode THK+ASCAN";
    const char* const twoDAscan =
        "(EndCol - StartCol + 1) * (EndRow - StartRow + 1) cannot be more than 160 for Save Mode "
        "THK+ASCAN";
    const char* const boilerAscan =
        "(EndTube - StartTube + 1) * (EndElev - StartElev + 1) * NumberTestPts cannot be more than "
        "160 for Save Mode THK+ASCAN";
    const char* const noComma = "Commas and line breaks cannot be used in a layout value";
    CreateRequest typed2D = twoD("A.B", "1.2", kSaveThkOnly);
    typed2D.firstInc = "R\nOW";
    CreateRequest typedBoiler = boiler("N,E", kSaveThkOnly);
    CreateRequest tooMany3D = threeD("ROW", "row");
    tooMany3D.endElev = "1000";
    const struct {
        const char* name;
        CreateRequest request;
        std::optional<CreateBox> focus;
        std::vector<std::string> messages;
    } cases[] = {
        {"1..5000 THK ONLY", linear("1", "5000"), std::nullopt, {}},
        {"End 5001", linear("1", "5001"), CreateBox::End, {kValueMessage}},
        {"empty Start", linear("", "5"), CreateBox::Start, {kValueMessage}},
        {"1..161 with A-scans", linear("1", "161", kSaveThkAscan), CreateBox::Start, {linearAscan}},
        {"A..ZZ THK ONLY", linear("A", "ZZ"), std::nullopt, {}},
        {"A..ZZ with A-scans", linear("A", "ZZ", kSaveThkAscan), CreateBox::Start, {linearAscan}},
        {"5 and B", linear("5", "B"), CreateBox::Start, {kMismatch}},
        {"B and A", linear("B", "A"), CreateBox::Start, {kOrder}},
        {"2D A..J x 1..16", twoD("A.J", "1.16", kSaveThkAscan), std::nullopt, {}},
        {"2D A..J x 1..17", twoD("A.J", "1.17", kSaveThkAscan), CreateBox::StartRow, {twoDAscan}},
        {"2D columns reversed", twoD("J.A", "1.2", kSaveThkOnly), CreateBox::StartCol, {kOrder}},
        {"2D rows checked before columns",
         twoD("J.A", "9.1", kSaveThkOnly),
         CreateBox::StartRow,
         {kOrder}},
        {"2D column kinds", twoD("A.9", "1.2", kSaveThkOnly), CreateBox::StartCol, {kMismatch}},
        {"boiler L-C-R THK ONLY", boiler("L-C-R", kSaveThkOnly), std::nullopt, {}},
        {"boiler L-C-R with A-scans",
         boiler("L-C-R", kSaveThkAscan),
         CreateBox::StartTube,
         {boilerAscan}},
        {"3D same increments", threeD("ROW", "ROW"), CreateBox::FirstInc, {kIncrements}},
        {"3D comma in 2nd Inc", threeD("ROW", "CO,L"), CreateBox::SecondInc, {noComma}},
        {"2D line break in 1st Inc", typed2D, CreateBox::FirstInc, {noComma}},
        {"boiler comma in Test Pts", typedBoiler, CreateBox::TestPts, {noComma}},
        {"3D count and increments both speak",
         tooMany3D,
         CreateBox::StartRow,
         {"(EndElev - StartElev + 1) * (EndCol - StartCol + 1) * (EndRow - StartRow + 1) cannot be "
          "more than 5000 for Save Mode THK ONLY",
          kIncrements}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingVoice voice;
        EXPECT_EQ(checkLayout(c.request, voice, TextTable()), c.focus);
        std::vector<std::string> texts;
        for (const auto& said : voice.said) {
            EXPECT_EQ(said.kind, MessageKind::Warning);
            texts.push_back(said.text);
        }
        EXPECT_EQ(texts, c.messages);
    }
}

TEST(FileCreate, NamesAndFolders) {
    EXPECT_EQ(createdFileName("PIPE-1"), "PIPE-1.CSV");
    EXPECT_EQ(createdFileName("PIPE-1.CSV"), "PIPE-1.CSV");
    EXPECT_EQ(createdFileName("pipe-1.csv"), "PIPE-1.CSV");
    const struct {
        std::string folder;
        std::string expected;
    } folders[] = {
        {"/home/u/Gage/DATA", "/home/u/Gage/DATA"},
        {"/home/u/Gage/data", "/home/u/Gage/data"},
        {"/home/u/Gage", joinPath("/home/u/Gage", "data")},
        {"/home/u/METADATA", joinPath("/home/u/METADATA", "data")},
        {"DATA", joinPath("DATA", "data")},
#ifdef _WIN32
        {"C:\\Gage\\Data", "C:\\Gage\\Data"},
        {"C:\\Gage", "C:\\Gage\\data"},
        {"C:\\Users/u\\METADATA", "C:\\Users/u\\METADATA\\data"},
#else
        {"/home/u/Gage\\data", "/home/u/Gage\\data/data"},  // a backslash is part of a name
#endif
    };
    for (const auto& c : folders) {
        EXPECT_EQ(creationFolder(c.folder), c.expected) << c.folder;
    }
}

TEST(FileCreate, WritesTheProductLineAndTheHeaderOfEachType) {
    CreateRequest pattern = boiler("T-L-B-R", kSaveThkAscan);
    pattern.startTube = "A";
    pattern.endTube = "C";
    const struct {
        CreateRequest request;
        std::string expected;
    } cases[] = {
        {linear("1", "12"),
         "Product:40-102,Version:v1.09A,\r\n"
         "Filename,Type,Version,AScan,Start Row,End Row,# ID,# Setup,# Notes,Created,Last "
         "Saved,\r\n"
         "PIPE1.CSV,LINEAR,1,OFF,1,12,0,0,0,12/07/2026 09:05 PM,12/07/2026 09:05 PM,\r\n"},
        {twoD("A.J", "1.16", kSaveThkAscan),
         "Product:40-102,Version:v1.09A,\r\n"
         "Filename,Type,Version,AScan,Start Col,Start Row,End Col,End Row,1st Inc,# ID,# Setup,"
         "# Notes,Created,Last Saved,\r\n"
         "PIPE1.CSV,2D,1,ON,A,1,J,16,ROW,0,0,0,12/07/2026 09:05 PM,12/07/2026 09:05 PM,\r\n"},
        {threeD("ROW", "COL"),
         "Product:40-102,Version:v1.09A,\r\n"
         "Filename,Type,Version,AScan,Start Col,Start Row,Start Elev,End Col,End Row,End Elev,"
         "1st Inc,2nd Inc,# ID,# Setup,# Notes,Created,Last Saved,\r\n"
         "PIPE1.CSV,3D,1,OFF,A,1,1,C,3,2,ROW,COL,0,0,0,12/07/2026 09:05 PM,12/07/2026 09:05 "
         "PM,\r\n"},
        {pattern,
         "Product:40-102,Version:v1.09A,\r\n"
         "Filename,Type,Version,AScan,Start Tube,Start Test Pt,Start Elev,End Tube,End Test Pt,"
         "End Elev,Test Pts,1st Inc,2nd Inc,# ID,# Setup,# Notes,Created,Last Saved,\r\n"
         "PIPE1.CSV,BOILER,1,ON,A,T,1,C,R,4,TLBR,TEST PTS,TUBE,0,0,0,12/07/2026 09:05 PM,"
         "12/07/2026 09:05 PM,\r\n"},
    };
    const auto folder = test::uniqueTempFolder("korvel-create-test") / "DATA";
    std::filesystem::create_directories(folder);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request.type);
        RecordingVoice voice;
        voice.defaultAnswer = true;
        const CreateResult result =
            createDataFile(c.request, folder.string(), fixedTime(), voice, TextTable());
        ASSERT_TRUE(result.created);
        EXPECT_EQ(result.path, (folder / "PIPE1.CSV").string());
        EXPECT_EQ(readFileBytes(result.path).value_or(""), c.expected);
        EXPECT_EQ(voice.said.back(),
                  (Said{MessageKind::Notice, "Successfully created file  PIPE1.CSV"}));
        const DataFile back = *readDataFile(result.path);
        EXPECT_EQ(back.product, "40-102");
        EXPECT_TRUE(back.readings.empty());
    }
    std::filesystem::remove_all(folder.parent_path());
}

TEST(FileCreate, UnchangedTestPointPatternAndProducts) {
    CreateRequest degrees = boiler("0-90-180-270", kSaveThkOnly);
    degrees.product = "Monochrome Precision Gage";
    const DataFile file = createdDataFile(degrees, "B.CSV", fixedTime());
    EXPECT_EQ(file.product, "40-103");
    EXPECT_EQ(file.headerValue("Test Pts"), "0-90-180-270");
    EXPECT_EQ(file.headerValue("Start Test Pt"), "0");
    EXPECT_EQ(file.headerValue("End Test Pt"), "270");
    EXPECT_EQ(productCodeFor("Monochrome Corrosion Gage"), "40-101");
    EXPECT_EQ(productCodeFor("40-104"), "40-104");
    EXPECT_FALSE(productCodeFor("Other Gage"));
}

TEST(FileCreate, RefusesNamesAndAsksBeforeOverwriting) {
    const auto folder = test::uniqueTempFolder("korvel-create-ask");
    std::filesystem::create_directories(folder / "data");
    const std::string path = (folder / "data" / "PIPE1.CSV").string();
    const TextTable texts;

    CreateRequest request = linear("1", "10");
    request.fileName = "";
    RecordingVoice empty;
    EXPECT_EQ(createDataFile(request, folder.string(), fixedTime(), empty, texts).focus,
              CreateBox::FileName);
    EXPECT_EQ(empty.said, (std::vector<Said>{{MessageKind::Warning, "Enter valid file name"}}));

    for (const char* bad : {"ABCDEFGHIJKLMNOPQ", "PIPE_1"}) {
        request.fileName = bad;
        RecordingVoice voice;
        EXPECT_FALSE(createDataFile(request, folder.string(), fixedTime(), voice, texts).created);
        ASSERT_EQ(voice.said.size(), 1u);
        EXPECT_EQ(voice.said[0].kind, MessageKind::Error);
        EXPECT_EQ(voice.said[0].text.rfind("Invalid file name.", 0), 0u);
    }

    ASSERT_TRUE(writeFileSafely(path, "old"));
    request.fileName = "PIPE1";
    RecordingVoice declines;
    EXPECT_FALSE(createDataFile(request, folder.string(), fixedTime(), declines, texts).created);
    EXPECT_EQ(declines.said,
              (std::vector<Said>{{MessageKind::Question,
                                  "File already exists. Do you want to overwrite?\n\nPIPE1.CSV"}}));
    EXPECT_EQ(readFileBytes(path), "old");

    ASSERT_TRUE(writeFileSafely(path, ""));
    RecordingVoice emptyFile;
    EXPECT_TRUE(createDataFile(request, folder.string(), fixedTime(), emptyFile, texts).created);
    EXPECT_EQ(emptyFile.said.size(), 1u);  // no question for an empty file

    RecordingVoice madeFolder;
    EXPECT_TRUE(
        createDataFile(request, (folder / "new").string(), fixedTime(), madeFolder, texts).created);
    EXPECT_TRUE(std::filesystem::exists(folder / "new" / "data" / "PIPE1.CSV"));

    ASSERT_TRUE(writeFileSafely((folder / "plain").string(), "a file, not a folder"));
    RecordingVoice noFolder;
    EXPECT_FALSE(
        createDataFile(request, (folder / "plain").string(), fixedTime(), noFolder, texts).created);
    ASSERT_EQ(noFolder.said.size(), 1u);
    EXPECT_EQ(noFolder.said[0].kind, MessageKind::Error);
    EXPECT_EQ(noFolder.said[0].text.rfind("Error saving file - ", 0), 0u);
    std::filesystem::remove_all(folder);
}

TEST(FileCreate, TwelveOClockAndTheLongestName) {
    const auto folder = test::uniqueTempFolder("korvel-create-edges");
    struct Case {
        const char* name;
        int hour;
        bool created;
        const char* createdAt;
    } cases[] = {
        {"ABCDEFGHIJKLMNOP", 0, true, "12/07/2026 12:05 AM"},
        {"PIPE-NOON", 12, true, "12/07/2026 12:05 PM"},
        {"ABCDEFGHIJKLMNOPQ", 12, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CreateRequest request = linear("1", "10");
        request.fileName = c.name;
        std::tm at = fixedTime();
        at.tm_hour = c.hour;
        RecordingVoice voice;
        const CreateResult result =
            createDataFile(request, folder.string(), at, voice, TextTable());
        ASSERT_EQ(result.created, c.created);
        if (c.created) {
            EXPECT_EQ(readDataFile(result.path)->headerValue("Created"), c.createdAt);
        }
    }
    std::filesystem::remove_all(folder);
}

// Every text a request holds, the product as its code.
std::vector<std::string> requestTexts(const CreateRequest& r) {
    return {productCodeFor(r.product).value_or(r.product),
            r.fileName,
            r.type,
            r.saveMode,
            r.start,
            r.end,
            r.startCol,
            r.endCol,
            r.startRow,
            r.endRow,
            r.startElev,
            r.endElev,
            r.startTube,
            r.endTube,
            r.firstInc,
            r.secondInc,
            r.testPts};
}

TEST(NextSurvey, TakesTheLayoutOfEachTypeBackFromTheHeader) {
    CreateRequest tubes = boiler("T-L-B-R", kSaveThkAscan);
    tubes.startTube = "A";
    tubes.endTube = "C";
    for (CreateRequest request :
         {linear("1", "12"), twoD("A.J", "1.16", kSaveThkAscan), threeD("ELEV", "COL"), tubes,
          boiler("0-90-180-270", kSaveThkOnly)}) {
        SCOPED_TRACE(request.type + " " + request.testPts);
        const DataFile file = createdDataFile(request, "PIPE1.CSV", fixedTime());
        request.fileName = "PIPE1-2";
        EXPECT_EQ(requestTexts(nextSurveyRequest(file, "PIPE1.CSV", {"PIPE1.CSV"})),
                  requestTexts(request));
    }
}

TEST(NextSurvey, NameCountsOnPastTakenNamesAndKeepsTheRule) {
    const struct {
        const char* name;
        std::vector<std::string> taken;
        const char* expected;
    } cases[] = {
        {"PIPE-A.CSV", {}, "PIPE-A-2"},
        {"tank-2.csv", {"TANK-2.CSV"}, "TANK-3"},
        {"TANK-2.CSV", {"tank-3.csv", "TANK-4"}, "TANK-5"},
        {"TANK-9", {}, "TANK-10"},
        {"LINE", {"LINE-2.CSV", "OTHER.CSV"}, "LINE-3"},
        {"ABCDEFGHIJKLMNOP.CSV", {}, "ABCDEFGHIJKLMN-2"},
        {"ABCDEFGHIJKLMN-9.CSV", {}, "ABCDEFGHIJKLM-10"},
        {"PART-", {}, "PART--2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string next = nextSurveyName(c.name, c.taken);
        EXPECT_EQ(next, c.expected);
        EXPECT_EQ(checkDataFileName(next, 16), 1);
    }
}

}  // namespace
}  // namespace korvel
