#include "datafile/text_report_reader.h"

#include <algorithm>
#include <limits>

#include "app/platform.h"
#include "app/safe_file.h"
#include "app/text_format.h"
#include "app/text_rules.h"
#include "datafile/data_file_reader.h"
#include "datafile/data_file_writer.h"
#include "datafile/field_split.h"
#include "datafile/letter_code.h"
#include "datafile/line_reader.h"
#include "datafile/number_text.h"
#include "datafile/output_file.h"

namespace korvel {

namespace {

constexpr std::size_t kGridBlanksPerMissingValue = 6;
constexpr std::string_view kMissingReading = "--.---";

float decimalOf(std::string_view text) {
    return static_cast<float>(leadingDecimal(text));
}

// The whole-number part, kept within the int range.
int wholePart(float value) {
    if (value >= static_cast<float>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<float>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

// A text copied into a field must not hold the field separator.
std::string asField(std::string_view text) {
    std::string field(text);
    std::replace(field.begin(), field.end(), ',', ' ');
    return field;
}

// The values of the longest grid line: a shorter line lacks readings at its end.
std::size_t widestLine(const std::vector<std::vector<std::optional<float>>>& lines) {
    std::size_t columns = 0;
    for (const auto& values : lines) {
        columns = std::max(columns, values.size());
    }
    return columns;
}

class ReportReader {
  public:
    explicit ReportReader(std::string_view bytes) : lines_(bytes, kReportLineLimit) {}

    TextReport read() {
        readHeader();
        if (report_.hasReadings) {
            lines_.next();  // the dashes line under the readings line
            readReadings();
        }
        return std::move(report_);
    }

  private:
    void readHeader() {
        for (auto line = lines_.next(); line; line = lines_.next()) {
            if (startsReadings(line->text)) {
                report_.hasReadings = true;
                return;
            }
            const auto colon = line->text.find(':');
            if (colon != std::string_view::npos) {
                take(trimmed(line->text.substr(0, colon)), trimmed(line->text.substr(colon + 1)));
            }
        }
    }

    bool startsReadings(std::string_view line) const {
        if (report_.kind == TextReport::Kind::Custom) {
            return line.substr(0, 8) == "LOCATION" && contains(line, "READING");
        }
        return report_.kind == TextReport::Kind::Grid && equalsNoCase(line, "READINGS");
    }

    void take(std::string_view key, std::string_view value) {
        if (equalsNoCase(key, "FILE TYPE")) {
            report_.kind = equalsNoCase(value, "CUSTOM") ? TextReport::Kind::Custom
                           : equalsNoCase(value, "GRID") ? TextReport::Kind::Grid
                                                         : TextReport::Kind::Unknown;
        } else if (equalsNoCase(key, "DATE & TIME CREATED")) {
            report_.created = value;
        } else if (equalsNoCase(key, "DATE & TIME LAST MODIFIED")) {
            report_.lastModified = value;
        } else if (equalsNoCase(key, "UPPER LEFT LOCATION")) {
            report_.upperLeft = value;
        } else if (equalsNoCase(key, "LOWER RIGHT LOCATION")) {
            report_.lowerRight = value;
        } else if (equalsNoCase(key, "PROBE ID")) {
            report_.probe = value;
        } else if (equalsNoCase(key, "MATERIAL VELOCITY")) {
            report_.velocity = value;
        } else if (equalsNoCase(key, "INCHES OR MM")) {
            // "M" is what the export writes for millimetres.
            report_.units = value == "I" ? "IN" : value == "MM" || value == "M" ? "MM" : "";
        }
    }

    void readReadings() {
        for (auto line = lines_.next(); line; line = lines_.next()) {
            if (line->isBlank() || contains(line->text, "--------")) {
                continue;
            }
            if (report_.kind == TextReport::Kind::Custom) {
                takeLocation(line->text);
            } else {
                takeGridLine(line->text);
            }
        }
        boundGrid();
    }

    void takeLocation(std::string_view line) {
        ++report_.locationCount;
        if (report_.locations.size() >= kMaxReadings) {
            return;
        }
        constexpr std::string_view kBlanks = " \t";
        const auto firstStart = line.find_first_not_of(kBlanks);
        const auto firstEnd = line.find_first_of(kBlanks, firstStart);
        const auto secondStart = firstEnd == std::string_view::npos
                                     ? firstEnd
                                     : line.find_first_not_of(kBlanks, firstEnd);
        const float location =
            firstStart == std::string_view::npos ? 0 : decimalOf(line.substr(firstStart));
        const std::optional<float> reading =
            secondStart == std::string_view::npos
                ? std::nullopt
                : std::optional(decimalOf(line.substr(secondStart)));
        report_.locations.emplace_back(location, reading);
    }

    void takeGridLine(std::string_view line) {
        std::vector<std::optional<float>> values = parseGridLine(line);
        ++gridLinesSeen_;
        widestSeen_ = std::max(widestSeen_, values.size());
        report_.locationCount = gridLinesSeen_ * widestSeen_;
        if (report_.gridLines.size() < kMaxReadings) {
            report_.gridLines.push_back(std::move(values));
        }
    }

    // At most 702 columns (A to ZZ) and 5000 readings in all.
    void boundGrid() {
        auto& lines = report_.gridLines;
        for (auto& values : lines) {
            values.resize(std::min<std::size_t>(values.size(), kLargestLetterCode));
        }
        const std::size_t columns = widestLine(lines);
        if (columns > 0 && lines.size() * columns > kMaxReadings) {
            lines.resize(kMaxReadings / columns);
        }
    }

    LineReader lines_;
    TextReport report_;
    std::size_t gridLinesSeen_ = 0;
    std::size_t widestSeen_ = 0;
};

// A corner "A1" is column A, row 1; "AA12" is column AA, row 12.
std::pair<std::string, std::string> splitCorner(const std::string& corner) {
    if (corner.size() > 1 && leadingNumber(corner.substr(1)) >= 1) {
        return {corner.substr(0, 1), corner.substr(1)};
    }
    const bool digitThird = corner.size() > 2 && corner[2] >= '0' && corner[2] <= '9';
    return {corner.substr(0, 2), digitThird ? corner.substr(2) : std::string()};
}

// The code of the grid column `offset` places after the start column: Y, Z, AA, AB ...
std::string columnCode(const std::string& start, std::size_t offset) {
    const int letters = letterCodeValue(start);
    if (letters > 0) {
        const std::string code = letterCodeText(letters + static_cast<int>(offset));
        return code.empty() ? start : code;
    }
    return std::to_string(static_cast<long long>(leadingNumber(start)) +
                          static_cast<long long>(offset));
}

// A reading as the data file holds it; a missing one as the gauge writes it.
std::string readingText(const std::optional<float>& value) {
    return value ? fixedDecimals(*value, 3) : std::string(kMissingReading);
}

Reading readingRow(const std::string& location, const std::string& reading,
                   const std::string& units) {
    return {{location, reading, units, "OFF", "OFF", "STD", "OFF", "0", "1", "STD", "OFF", "OFF"},
            std::nullopt};
}

void setHeader(DataFile& file, const std::vector<std::pair<const char*, std::string>>& columns) {
    for (const auto& [name, value] : columns) {
        file.headerNames.emplace_back(name);
        file.headerValues.push_back(asField(value));
    }
}

void addLinearReadings(DataFile& file, const TextReport& report, const std::string& fileName) {
    const auto& pairs = report.locations;
    const int first = pairs.empty() ? 0 : wholePart(pairs.front().first);
    const int last = pairs.empty() ? 0 : wholePart(pairs.back().first);
    setHeader(file, {{"Filename", fileName},
                     {"Type", "LINEAR"},
                     {"Start Row", zeroPadded(first, 4)},
                     {"End Row", zeroPadded(last, 4)},
                     {"# ID", std::to_string(pairs.size())},
                     {"# Setup", "1"},
                     {"# Notes", "0"},
                     {"Created", report.created},
                     {"Last Saved", report.lastModified}});
    for (const auto& [location, reading] : pairs) {
        if (location > 0) {
            file.readings.push_back(
                readingRow(zeroPadded(wholePart(location), 4), readingText(reading), report.units));
        }
    }
}

void addGridReadings(DataFile& file, const TextReport& report, const std::string& fileName) {
    const auto [startCol, startRow] = splitCorner(report.upperLeft);
    const auto [endCol, endRow] = splitCorner(report.lowerRight);
    const std::size_t columns = widestLine(report.gridLines);
    const auto& lines = report.gridLines;
    setHeader(file, {{"Filename", fileName},
                     {"Type", "2D"},
                     {"Start Col", startCol},
                     {"Start Row", startRow},
                     {"End Col", endCol},
                     {"End Row", endRow},
                     {"1st Inc", "ROW"},
                     {"# ID", std::to_string(columns * lines.size())},
                     {"# Setup", "1"},
                     {"# Notes", "0"},
                     {"Created", report.created},
                     {"Last Saved", report.lastModified}});
    const int firstRow = leadingNumber(startRow);
    for (std::size_t c = 0; c < columns; ++c) {
        const std::string code = asField(columnCode(startCol, c));
        for (std::size_t r = 0; r < lines.size(); ++r) {
            // A shorter line lacks the readings at its end.
            const std::string value =
                c < lines[r].size() ? readingText(lines[r][c]) : std::string(kMissingReading);
            const int row = static_cast<int>(
                std::min<long long>(static_cast<long long>(firstRow) + static_cast<long long>(r),
                                    std::numeric_limits<int>::max()));
            file.readings.push_back(readingRow(code + zeroPadded(row, 4), value, report.units));
        }
    }
}

}  // namespace

std::vector<std::optional<float>> parseGridLine(std::string_view line) {
    std::vector<std::optional<float>> values;
    std::size_t p = 0;
    while (p < line.size()) {
        if (line[p] == ' ') {
            const auto end = line.find_first_not_of(' ', p);
            const std::size_t run = (end == std::string_view::npos ? line.size() : end) - p;
            values.insert(values.end(), (run + 1) / kGridBlanksPerMissingValue, std::nullopt);
            p += run;
            continue;
        }
        const auto blank = line.find(' ', p);
        const auto end = blank == std::string_view::npos ? line.size() : blank;
        values.push_back(decimalOf(line.substr(p, end - p)));
        p = end == line.size() ? end : end + 1;
    }
    return values;
}

TextReport parseTextReport(std::string_view bytes) {
    return ReportReader(withoutByteOrderMark(bytes)).read();
}

DataFile importedDataFile(const TextReport& report, const std::string& fileName) {
    DataFile file;
    if (report.kind == TextReport::Kind::Grid) {
        addGridReadings(file, report, fileName);
    } else {
        addLinearReadings(file, report, fileName);
    }
    file.readingColumns = splitFields(kReadingColumnLine);
    file.setupColumns = {"Setup #", "Units",    "Velocity", "Diff Ref",   "Low Alarm", "High Alarm",
                         "Alarm %", "BS Range", "Gain",     "Transducer", "MB_Blank",  "IF_Blank"};
    file.setups = {{"1", report.units, asField(report.velocity), "0.5", "0.1", "0.5", "20", "1",
                    "61", asField(report.probe), "0", "0"}};
    file.endMarker = true;
    return file;
}

bool holdsMoreThanATextReport(const DataFile& file) {
    const auto alarm = file.readingColumn("Alarm");
    const auto gain = file.readingColumn("Gain");
    const auto flagged = [&](const Reading& reading) {
        const std::string_view alarmFlag = fieldAtColumn(reading, alarm);
        const std::string_view gainFlag = fieldAtColumn(reading, gain);
        return reading.ascan || !(alarmFlag.empty() || alarmFlag == "-" || alarmFlag == "OFF") ||
               !(gainFlag.empty() || gainFlag == "-" || gainFlag == "STD");
    };
    return !file.notes.empty() || file.setups.size() > 1 ||
           std::any_of(file.readings.begin(), file.readings.end(), flagged);
}

TextReportImport importTextReport(const std::string& folder, const std::string& name,
                                  UserVoice& voice, const TextTable& texts) {
    WaitCursor wait(voice);
    TextReportImport result;
    const std::string path = joinPath(folder, name);
    const auto bytes = readFileBytes(path);
    if (!bytes) {
        reportFileOpenError(voice, texts, name);
        return result;
    }
    const TextReport report = parseTextReport(*bytes);
    if (!report.hasReadings) {
        voice.show(MessageKind::Notice, texts.message("IDS_STATUS_FILE_IMPORT_NOTSUPPORTED"));
        return result;
    }
    // A data file holds no more: keeping part of the report would lose the rest unsaid.
    if (report.locationCount > kMaxReadings) {
        voice.show(MessageKind::Error, formatWithArgument(texts.message("IDS_ERR_IMPORT_TOOMANY"),
                                                          std::to_string(report.locationCount), 1));
        return result;
    }
    const std::string dataPath = withExtension(path, ".CSV");
    const std::string bytesOut =
        dataFileBytes(importedDataFile(report, withExtension(name, ".CSV")));
    const auto existing = readDataFile(dataPath, reportReadOptions());
    const std::string note = existing && holdsMoreThanATextReport(*existing)
                                 ? texts.message("IDS_MSG_IMPORT_LOSESMORE")
                                 : std::string();
    if (!mayOverwrite(dataPath, voice, texts, note) ||
        !saveOrReport(dataPath, bytesOut, voice, texts)) {
        return result;
    }
    voice.show(MessageKind::Notice,
               texts.message("IDS_STATUS_FILE_IMPORT_COMPLETE") + " " + dataPath);
    result.written = true;
    result.dataPath = dataPath;
    return result;
}

}  // namespace korvel
