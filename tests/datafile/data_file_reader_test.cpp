#include "datafile/data_file_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "datafile/field_split.h"
#include "datafile/line_reader.h"
#include "tests/support/recording_voice.h"

namespace korvel {
namespace {

using Fields = std::vector<std::string>;

const std::string kHeaderNames =
    "Filename,Type,Version,AScan,Start Row,End Row,# ID,# Setup,# Notes,Created,Last Saved,\n";
const std::string kColumns =
    "ID,Thickness,Units,Alarm,Diff,Gain,Fast,Note #,Setup #,Meas Mode,B Scan,A Scan,\n";

std::string header(int readings, int setups, int notes) {
    return kHeaderNames + "P.CSV,LINEAR,1,ON,1,9," + std::to_string(readings) + "," +
           std::to_string(setups) + "," + std::to_string(notes) +
           ",12/01/2026 09:15 AM,12/01/2026 09:15 AM,\n";
}

std::string row(const std::string& id, const std::string& bscan, const std::string& ascan) {
    return id + ",0.254,IN,OFF,OFF,STD,OFF,0,1,STD," + bscan + "," + ascan + ",\n";
}

std::string traceLines(int values) {
    std::string out;
    for (int i = 0; i < values; ++i) {
        out += (i % 10 == 0 ? "," : "") + std::to_string(i) + ",";
        if (i % 10 == 9 || i == values - 1) {
            out += "\n";
        }
    }
    return out;
}

std::string waveform(int values) {
    return ",Max Data,1," + std::to_string(values) + ",\n" + traceLines(values) + ",Min Data,1," +
           std::to_string(values) + ",\n" + traceLines(values) +
           "DELAY=0.10,RANGE=1.00,MARKER1=5,\n" + kColumns;
}

const std::string kSetups = "Setup #,Units,Velocity,BS Range,\n1,IN,0.2330,1,\n2,MM,5.918,2,\n";
const std::string kNotes = "Note #,Line1,Line2,\n1,corroded,,\n";

TEST(FieldRule, SplitsAsEveryReaderDoes) {
    const struct {
        const char* line;
        Fields plain;
        Fields reading;
    } cases[] = {
        {"a,b", {"a"}, {"a"}},
        {"a,,c,", {"a", "", "c"}, {"a", "-", "c"}},
        {"a, ,c,", {"a", " ", "c"}, {"a", "-", "c"}},
        {"", {}, {}},
        {",", {""}, {"-"}},
        {"no comma", {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitFields(c.line), c.plain) << c.line;
        EXPECT_EQ(splitReadingFields(c.line), c.reading) << c.line;
    }
    EXPECT_EQ(splitTraceFields(",1,,2,3,"), (Fields{"1", "2", "3"}));
    EXPECT_EQ(splitTraceFields("X1,2,"), (Fields{"1", "2"}));
    EXPECT_EQ(joinFields({"a", "", "c"}), "a,,c,");
}

TEST(LineReader, ReadsTextModeLinesWithAFixedBuffer) {
    LineReader lines("ab\r\ncd\n\r\nlast", 511);
    std::vector<std::pair<std::string, bool>> seen;
    for (auto line = lines.next(); line; line = lines.next()) {
        seen.emplace_back(std::string(line->text), line->ended);
    }
    const std::vector<std::pair<std::string, bool>> expected = {
        {"ab", true}, {"cd", true}, {"", true}, {"last", false}};
    EXPECT_EQ(seen, expected);

    // A line of exactly the limit without its LF: the LF comes as an empty line of its own.
    LineReader cut("abcd\r\nxy,\n", 4);
    EXPECT_EQ(cut.next()->text, "abcd");
    const auto rest = cut.next();
    EXPECT_TRUE(rest->isBlank());
    EXPECT_EQ(cut.next()->text, "xy,");
    EXPECT_FALSE(cut.next());
}

// What a text-mode read with a buffer of limit + 1 bytes gives, one character at a time.
std::vector<std::pair<std::string, bool>> referenceLines(const std::string& bytes,
                                                         std::size_t limit) {
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
            text += bytes[i];
        }
    }
    std::vector<std::pair<std::string, bool>> lines;
    std::string current;
    for (const char c : text) {
        current += c;
        if (c == '\n') {
            current.pop_back();
            lines.emplace_back(current, true);
            current.clear();
        } else if (current.size() == limit) {
            lines.emplace_back(current, false);
            current.clear();
        }
    }
    if (!current.empty()) {
        lines.emplace_back(current, false);
    }
    return lines;
}

TEST(LineReader, CutsLinesAsATextModeReaderDoes) {
    std::mt19937 random(7);
    const char alphabet[] = {'a', ',', '\r', '\n', ' '};
    for (int round = 0; round < 2000; ++round) {
        std::string bytes;
        for (std::size_t n = random() % 40; n > 0; --n) {
            bytes += alphabet[random() % sizeof alphabet];
        }
        const std::size_t limit = 1 + random() % 8;
        LineReader lines(bytes, limit);
        std::vector<std::pair<std::string, bool>> seen;
        for (auto line = lines.next(); line; line = lines.next()) {
            seen.emplace_back(std::string(line->text), line->ended);
        }
        ASSERT_EQ(seen, referenceLines(bytes, limit)) << "round " << round << " limit " << limit;
    }
}

TEST(DataFileReader, ProductLineIsOptional) {
    const std::string body = header(0, 0, 0);
    const DataFile plain = parseDataFile(body);
    EXPECT_FALSE(plain.hasProductLine);
    EXPECT_EQ(plain.product, "KQ-77");

    const DataFile named = parseDataFile("Product:40-103,Version:v1.09A,\n" + body);
    EXPECT_TRUE(named.hasProductLine);
    EXPECT_EQ(named.product, "40-103");
    EXPECT_EQ(named.productVersion, "v1.09A");
    EXPECT_EQ(named.headerNames, plain.headerNames);
    EXPECT_EQ(named.headerValues, plain.headerValues);

    EXPECT_TRUE(parseDataFile("PRODUCTS:X,\n" + body).hasProductLine);
    const DataFile saved = parseDataFile("\xEF\xBB\xBFProduct:40-101,Version:v1.09A,\n" + body);
    EXPECT_EQ(saved.product, "40-101");
    EXPECT_EQ(saved.headerNames, plain.headerNames);
    const DataFile savedTwice = parseDataFile("\xEF\xBB\xBF\xEF\xBB\xBF" + body);
    EXPECT_EQ(savedTwice.headerNames, plain.headerNames);
    EXPECT_EQ(parseDataFile("PRODUCTS:X,\n" + body).headerValue("type"), "LINEAR");
}

TEST(DataFileReader, HeaderIsLookedUpByNameWithoutRegardToCase) {
    const DataFile file = parseDataFile("Type,FILENAME,# id,\n2D,A.CSV,7\n");
    EXPECT_EQ(file.headerValue("Filename"), "A.CSV");
    EXPECT_EQ(file.headerValue("TYPE"), "2D");
    EXPECT_EQ(file.headerValue("# ID"), "");  // written without its trailing comma
    EXPECT_EQ(file.headerValue("Missing"), "");
    EXPECT_FALSE(file.headerIndex("Missing"));

    const DataFile blankValues =
        parseDataFile(kHeaderNames + "\n" + kColumns + row("0001", "OFF", "OFF"));
    EXPECT_TRUE(blankValues.headerValues.empty());
    EXPECT_TRUE(blankValues.readings.empty());
}

TEST(DataFileReader, CreatedFileHasNoReadingsSetupsOrNotes) {
    const DataFile file = parseDataFile("Product:40-102,Version:v1.09A,\r\n" + header(0, 0, 0));
    EXPECT_TRUE(file.readings.empty());
    EXPECT_TRUE(file.setups.empty());
    EXPECT_TRUE(file.notes.empty());
    EXPECT_EQ(file.headerNumber("# ID"), 0);
}

TEST(DataFileReader, ReadsReadingsSetupsAndNotes) {
    const std::string text = header(3, 2, 1) + "\n" + kColumns + row("0001", "OFF", "OFF") +
                             "0002,,IN, ,OFF,STD,OFF,1,2,STD,OFF,OFF,\n" +
                             row("0003", "OFF", "OFF") + "\n" + kSetups + "\n" + kNotes;
    const DataFile file = parseDataFile(text);
    ASSERT_EQ(file.readings.size(), 3u);
    EXPECT_EQ(file.readingColumns.size(), 12u);
    EXPECT_EQ(file.readings[1].fields[1], "-");
    EXPECT_EQ(file.readings[1].fields[3], "-");
    EXPECT_EQ(file.readingField(file.readings[1], "Setup #"), "2");
    EXPECT_EQ(*file.readingColumn("A Scan"), 11u);
    EXPECT_FALSE(file.readingColumn("a scan"));
    ASSERT_EQ(file.setups.size(), 2u);
    EXPECT_EQ(file.setupField(file.setups[1], "Velocity"), "5.918");
    ASSERT_EQ(file.notes.size(), 1u);
    EXPECT_EQ(file.notes[0], (Fields{"1", "corroded", ""}));
}

TEST(DataFileReader, WaveformOfTheAnnouncedLengthAnd180WhenFactorsAreZero) {
    // The settings line as the gauge writes it, and beginning with a comma.
    for (const char* settings : {"DELAY=0.1,\n", ",DELAY=0.1,\n"}) {
        SCOPED_TRACE(settings);
        const std::string zeroFactors = ",Max Data,0,0,\n" + traceLines(180) + ",Min Data,0,0,\n" +
                                        traceLines(180) + settings + kColumns;
        const DataFile file =
            parseDataFile(header(2, 0, 0) + "\n" + kColumns + row("0001", "OFF", "ON") +
                          zeroFactors + row("0002", "OFF", "OFF"));
        ASSERT_EQ(file.readings.size(), 2u);
        ASSERT_TRUE(file.readings[0].ascan);
        const AScan& ascan = *file.readings[0].ascan;
        EXPECT_EQ(ascan.max.announcedCount(), 180);
        EXPECT_EQ(ascan.max.values.size(), 180u);
        EXPECT_EQ(ascan.min.values.size(), 180u);
        EXPECT_EQ(ascan.min.values.back(), "179");
        EXPECT_EQ(ascan.settingValue("DELAY"), "0.1");
        EXPECT_FALSE(ascan.settingValue("RANGE"));
        EXPECT_EQ(file.readings[1].fields[0], "0002");
    }
}

// The walk through the blocks goes wrong in four places; the reader must not.
TEST(DataFileReader, MendsTheFourWaysAPlainWalkLosesItsPlace) {
    // A B-scan row without a waveform, then a reading with one: the waveform is still read.
    const std::string bscanThenWave = header(3, 2, 1) + "\n" + kColumns +
                                      row("0001", "START", "OFF") + row("0002", "BODY", "ON") +
                                      waveform(180) + row("0003", "STOP", "OFF") + "\n" + kSetups +
                                      "\n" + kNotes;
    // The last reading carries a waveform: the column line stands again before the setups.
    const std::string lastHasWave = header(2, 2, 1) + "\n" + kColumns + row("0001", "OFF", "OFF") +
                                    row("0002", "OFF", "ON") + waveform(180) + "\n" + kSetups +
                                    "\n" + kNotes;
    // Several blank lines between the blocks.
    const std::string blankLines = header(3, 2, 1) + "\n\n" + kColumns + row("0001", "OFF", "ON") +
                                   "\n\n" + waveform(180) + row("0002", "OFF", "OFF") +
                                   row("0003", "OFF", "OFF") + "\n\n\n" + kSetups + "\n\n" + kNotes;
    // A short trace (100 values) ends at the first line that is not trace data.
    const std::string shortTrace = header(3, 2, 1) + "\n" + kColumns + row("0001", "OFF", "ON") +
                                   waveform(100) + row("0002", "OFF", "OFF") +
                                   row("0003", "OFF", "OFF") + "\n" + kSetups + "\n" + kNotes;
    const struct {
        const char* name;
        std::string text;
        std::size_t waveIndex;
        std::size_t traceLength;
    } cases[] = {
        {"B-scan row without waveform first", bscanThenWave, 1, 180},
        {"last reading with waveform", lastHasWave, 1, 180},
        {"blank lines", blankLines, 0, 180},
        {"short trace", shortTrace, 0, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DataFile file = parseDataFile(c.text);
        const std::size_t count = static_cast<std::size_t>(file.headerNumber("# ID"));
        ASSERT_EQ(file.readings.size(), count);
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(file.readings[i].fields[0], "000" + std::to_string(i + 1));
            EXPECT_EQ(file.readings[i].ascan.has_value(), i == c.waveIndex);
        }
        const AScan& ascan = *file.readings[c.waveIndex].ascan;
        EXPECT_EQ(ascan.max.values.size(), c.traceLength);
        EXPECT_EQ(ascan.min.values.size(), c.traceLength);
        EXPECT_EQ(ascan.settingValue("MARKER1"), "5");
        EXPECT_EQ(file.setupColumns[0], "Setup #");
        EXPECT_EQ(file.setups.size(), 2u);
        EXPECT_EQ(file.noteColumns[0], "Note #");
        EXPECT_EQ(file.notes.size(), 1u);
    }
}

TEST(DataFileReader, AbandonsABlockWithoutItsTraceLines) {
    const std::string noMin = header(2, 0, 0) + "\n" + kColumns + row("0001", "OFF", "ON") +
                              ",Max Data,1,3,\n,1,2,3,\nDELAY=1,\n" + kColumns +
                              row("0002", "OFF", "OFF");
    const std::string noMax =
        header(2, 0, 0) + "\n" + kColumns + row("0001", "OFF", "ON") + row("0002", "OFF", "OFF");
    for (const std::string& text : {noMin, noMax}) {
        const DataFile file = parseDataFile(text);
        ASSERT_EQ(file.readings.size(), 2u);
        EXPECT_FALSE(file.readings[0].ascan);
        EXPECT_EQ(file.readings[1].fields[0], "0002");
    }
    // A setup column line that names a "Max Data" column is no trace's head.
    const DataFile beforeSetups = parseDataFile(
        header(1, 1, 0) + "\n" + kColumns + row("0001", "OFF", "ON") + "Setup #,Max Data,\n1,2,\n");
    ASSERT_EQ(beforeSetups.readings.size(), 1u);
    EXPECT_FALSE(beforeSetups.readings[0].ascan);
    EXPECT_EQ(beforeSetups.setups, (std::vector<Fields>{{"1", "2"}}));
}

TEST(DataFileReader, AReadingWithoutItsLocationCodeIsKept) {
    const DataFile file = parseDataFile(header(2, 0, 0) + "\n" + kColumns + row("", "OFF", "OFF") +
                                        ",1,2,3,\n" + row("0002", "OFF", "OFF"));
    ASSERT_EQ(file.readings.size(), 2u);
    EXPECT_EQ(file.readings[0].fields[0], "-");
    EXPECT_EQ(file.readings[0].fields[1], "0.254");
    EXPECT_EQ(file.readings[1].fields[0], "0002");
}

TEST(DataFileReader, ShortBlocksEndAtTheEndOfTheFile) {
    const DataFile file = parseDataFile(header(10, 5, 5) + "\n" + kColumns +
                                        row("0001", "OFF", "ON") + ",Max Data,1,180,\n,1,2,");
    ASSERT_EQ(file.readings.size(), 1u);
    EXPECT_FALSE(file.readings[0].ascan);
    EXPECT_TRUE(file.setups.empty());

    const DataFile fewer =
        parseDataFile(header(10, 5, 5) + "\n" + kColumns + row("0001", "OFF", "OFF") + "\n" +
                      kSetups + "\n" + kNotes);
    EXPECT_EQ(fewer.readings.size(), 1u);
    EXPECT_EQ(fewer.setups.size(), 2u);
    EXPECT_EQ(fewer.notes.size(), 1u);
}

TEST(DataFileReader, NeverHoldsMoreThanItsCapacities) {
    std::string text = header(9999, 99, 99) + "\n" + kColumns;
    for (int i = 0; i < 5100; ++i) {
        text += row(std::to_string(i), "OFF", "OFF");
    }
    text += "\nSetup #,Units,\n";
    for (int i = 0; i < 30; ++i) {
        text += std::to_string(i + 1) + ",IN,\n";
    }
    text += "\nNote #,Line1,\n";
    for (int i = 0; i < 30; ++i) {
        text += std::to_string(i + 1) + ",n,\n";
    }
    const DataFile file = parseDataFile(text);
    EXPECT_EQ(file.readings.size(), 5000u);
    EXPECT_EQ(file.setups.size(), 20u);
    EXPECT_EQ(file.notes.size(), 20u);
    EXPECT_EQ(file.notes[0][0], "1");

    const DataFile longTrace =
        parseDataFile(header(1, 0, 0) + "\n" + kColumns + row("0001", "OFF", "ON") + waveform(400));
    EXPECT_EQ(longTrace.readings[0].ascan->max.values.size(), 180u);
    EXPECT_EQ(longTrace.readings[0].ascan->max.announcedCount(), 400);
}

TEST(DataFileReader, ImportedFileEndsWithTwoBytes255) {
    const std::string text =
        "Filename,Type,Start Row,End Row,# ID,# Setup,# Notes,Created,Last Saved,\n"
        "R.CSV,LINEAR,0001,0001,1,1,0,12/01/26 09:15 AM,12/01/26 09:15 AM,\n\n" +
        kColumns + row("0001", "OFF", "OFF") + "\n" +
        "Setup #,Units,Velocity,\n1,IN,0.233,\n\xFF\xFF";
    const DataFile file = parseDataFile(text);
    EXPECT_TRUE(file.endMarker);
    EXPECT_EQ(file.readings.size(), 1u);
    EXPECT_EQ(file.setups.size(), 1u);
    EXPECT_TRUE(file.notes.empty());
}

TEST(DataFileReader, ReportLineLimitSplitsLongLines) {
    const std::string longRow = "0001,0.254," + std::string(300, 'x') + ",END,\n";
    const DataFile view = parseDataFile(header(1, 0, 0) + "\n" + kColumns + longRow);
    ASSERT_EQ(view.readings.size(), 1u);
    EXPECT_EQ(view.readings[0].fields.size(), 4u);
    const DataFile report =
        parseDataFile(header(1, 0, 0) + "\n" + kColumns + longRow, reportReadOptions());
    ASSERT_EQ(report.readings.size(), 1u);
    EXPECT_EQ(report.readings[0].fields.size(), 2u);
}

TEST(DataFileReader, UnreadableFileIsReportedWithItsName) {
    EXPECT_FALSE(readDataFile("/nonexistent/folder/X.CSV"));
    test::RecordingVoice voice;
    reportFileOpenError(voice, TextTable(), "X.CSV");
    ASSERT_EQ(voice.said.size(), 1u);
    EXPECT_EQ(voice.said[0], (test::Said{MessageKind::Error, "Error opening file - X.CSV"}));
}

}  // namespace
}  // namespace korvel
