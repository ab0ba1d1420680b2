#include "datafile/data_file_reader.h"

#include <algorithm>

#include "app/safe_file.h"
#include "app/text_rules.h"
#include "datafile/field_split.h"
#include "datafile/line_reader.h"

namespace korvel {

namespace {

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool isSetupColumnLine(std::string_view line) {
    return startsWith(line, "Setup #");
}
bool isNoteColumnLine(std::string_view line) {
    return startsWith(line, "Note #");
}

// The part of a line that holds its fields: up to its last comma.
std::string_view fieldPart(std::string_view line) {
    const auto comma = line.rfind(',');
    return comma == std::string_view::npos ? std::string_view() : line.substr(0, comma + 1);
}

// The mark standing in the line's fields (see fieldPart) after their first character.
bool fieldsMark(std::string_view fields, std::string_view mark) {
    return fields.size() > 1 && contains(fields.substr(1), mark);
}

// "Max Data" or "Min Data" standing in a field after the line's first character.
bool marksTrace(std::string_view line, std::string_view mark) {
    return fieldsMark(fieldPart(line), mark);
}

bool isTraceDataLine(std::string_view line) {
    return startsWith(line, ",") && !marksTrace(line, "Max Data") &&
           !marksTrace(line, "Min Data") && !contains(line, "=");
}

bool isScanSettingsLine(std::string_view line) {
    return contains(fieldPart(line), "=") && !isReadingColumnLine(line) &&
           !isSetupColumnLine(line) && !isNoteColumnLine(line);
}

bool holdsOnlyNumbers(std::string_view line) {
    for (const char c : line) {
        if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == ',' || c == ' ')) {
            return false;
        }
    }
    return true;
}

// Remains of an A-scan block where a reading row was expected (a block whose row did not say
// "ON", or one abandoned half way): the trace lines (marks, or a comma and numbers only) and
// the settings ("KEY=" fields). A reading row with an empty first field is no such line.
bool isWaveformDebris(std::string_view line) {
    const std::string_view fields = fieldPart(line);
    return fieldsMark(fields, "Max Data") || fieldsMark(fields, "Min Data") ||
           (startsWith(line, ",") && holdsOnlyNumbers(fields)) ||
           contains(line.substr(0, line.find(',')), "=");
}

std::size_t countFrom(const DataFile& file, std::string_view name, std::size_t capacity) {
    if (!file.headerIndex(name)) {
        return 0;
    }
    const int count = file.headerNumber(name);
    return count < 1 ? 0 : std::min(static_cast<std::size_t>(count), capacity);
}

class BlockReader {
  public:
    BlockReader(std::string_view bytes, const ReadOptions& options)
        : lines_(bytes, options.lineLimit), options_(options) {}

    DataFile read() {
        readHeader();
        readReadings();
        readSetups();
        readNotes();
        return std::move(file_);
    }

  private:
    void readHeader() {
        auto names = lines_.next();
        if (names && isProductLine(names->text)) {
            file_.hasProductLine = true;
            file_.product = productCodeOf(names->text);
            file_.productVersion = versionOf(names->text);
            names = lines_.next();
        }
        if (!names) {
            return;
        }
        file_.headerNames = splitFields(names->text);
        const auto values = lines_.next();
        if (values && !values->isBlank()) {
            file_.headerValues = splitFields(values->text);
        }
    }

    static std::string versionOf(std::string_view productLine) {
        const auto comma = productLine.find(',');
        if (comma == std::string_view::npos) {
            return {};
        }
        return productCodeOf(productLine.substr(comma + 1));
    }

    void readReadings() {
        const std::size_t count = countFrom(file_, "# ID", options_.maxReadings);
        file_.readings.reserve(count);
        // A file without readings still names its reading columns; they are kept for the
        // next save.
        if (const auto first = lines_.peekNonBlank(); first && isReadingColumnLine(first->text)) {
            lines_.nextNonBlank();
            file_.readingColumns = splitFields(first->text);
            ascanColumn_ = file_.readingColumn("A Scan");
        }
        while (file_.readings.size() < count) {
            const auto line = lines_.peekNonBlank();
            if (!line || isSetupColumnLine(line->text) || isNoteColumnLine(line->text)) {
                return;
            }
            lines_.nextNonBlank();
            if (isReadingColumnLine(line->text)) {
                if (file_.readingColumns.empty()) {
                    file_.readingColumns = splitFields(line->text);
                    ascanColumn_ = file_.readingColumn("A Scan");
                }
                continue;
            }
            if (isWaveformDebris(line->text)) {
                continue;
            }
            Reading reading{splitReadingFields(line->text), std::nullopt};
            if (reading.fields.empty()) {
                continue;
            }
            if (fieldAtColumn(reading, ascanColumn_) == "ON") {
                reading.ascan = readAScan();
            }
            file_.readings.push_back(std::move(reading));
        }
    }

    // The block is abandoned (the reading gets no waveform) when its "Max Data" or "Min Data"
    // line is missing; the line found instead is left for the next reading.
    std::optional<AScan> readAScan() {
        AScan ascan;
        if (!readTrace("Max Data", ascan.max) || !readTrace("Min Data", ascan.min)) {
            return std::nullopt;
        }
        const auto settings = lines_.peekNonBlank();
        if (settings && isScanSettingsLine(settings->text)) {
            lines_.nextNonBlank();
            ascan.settings = splitFields(settings->text);
        }
        return ascan;
    }

    // A column line of the setups or notes is never a trace's head, whatever its columns say.
    bool readTrace(std::string_view mark, Trace& trace) {
        const auto head = lines_.peekNonBlank();
        if (!head || isSetupColumnLine(head->text) || isNoteColumnLine(head->text) ||
            !marksTrace(head->text, mark)) {
            return false;
        }
        lines_.nextNonBlank();
        trace.lineFields = splitFields(head->text);
        trace.values.reserve(std::min<std::size_t>(
            options_.maxTraceValues, static_cast<std::size_t>(trace.announcedCount())));
        for (auto line = lines_.peekNonBlank(); line && isTraceDataLine(line->text);
             line = lines_.peekNonBlank()) {
            lines_.nextNonBlank();
            for (auto& value : splitTraceFields(line->text)) {
                if (trace.values.size() < options_.maxTraceValues) {
                    trace.values.push_back(std::move(value));
                }
            }
        }
        return true;
    }

    // The setup column line is the first line that begins "Setup #" after the readings; the
    // reading column line after the last waveform and rows beyond the count are stepped over.
    void readSetups() {
        for (auto line = lines_.nextNonBlank(); line; line = lines_.nextNonBlank()) {
            if (isNoteColumnLine(line->text)) {
                file_.noteColumns = splitFields(line->text);
                noteColumnsFound_ = true;
                return;
            }
            if (isSetupColumnLine(line->text)) {
                file_.setupColumns = splitFields(line->text);
                break;
            }
        }
        const std::size_t count = countFrom(file_, "# Setup", options_.maxSetups);
        while (file_.setups.size() < count) {
            const auto line = lines_.peekNonBlank();
            if (!line || isNoteColumnLine(line->text)) {
                return;
            }
            lines_.nextNonBlank();
            auto fields = splitFields(line->text);
            if (!fields.empty()) {
                file_.setups.push_back(std::move(fields));
            }
        }
    }

    void readNotes() {
        for (auto line = noteColumnsFound_ ? std::optional<TextLine>() : lines_.nextNonBlank();
             line; line = lines_.nextNonBlank()) {
            if (isNoteColumnLine(line->text)) {
                file_.noteColumns = splitFields(line->text);
                noteColumnsFound_ = true;
                break;
            }
        }
        if (!noteColumnsFound_) {
            return;
        }
        const std::size_t count = countFrom(file_, "# Notes", options_.maxNotes);
        while (file_.notes.size() < count) {
            const auto line = lines_.nextNonBlank();
            if (!line) {
                return;
            }
            auto fields = splitFields(line->text);
            if (!fields.empty()) {
                file_.notes.push_back(std::move(fields));
            }
        }
    }

    LineReader lines_;
    const ReadOptions& options_;
    DataFile file_;
    bool noteColumnsFound_ = false;
    std::optional<std::size_t> ascanColumn_;  // of the reading column line
};

// An editor that adds a byte order mark on every save leaves several; none of them is text.
std::string_view withoutByteOrderMarks(std::string_view bytes) {
    for (auto rest = withoutByteOrderMark(bytes); rest.size() < bytes.size();
         rest = withoutByteOrderMark(bytes)) {
        bytes = rest;
    }
    return bytes;
}

bool endsWithEndMarker(std::string_view bytes) {
    return bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\xFF\xFF";
}

}  // namespace

ReadOptions reportReadOptions() {
    ReadOptions options;
    options.lineLimit = kReportLineLimit;
    return options;
}

DataFile parseDataFile(std::string_view bytes, const ReadOptions& options) {
    DataFile file = BlockReader(withoutByteOrderMarks(bytes), options).read();
    file.endMarker = endsWithEndMarker(bytes);
    return file;
}

std::optional<DataFile> readDataFile(const std::string& path, const ReadOptions& options) {
    const auto bytes = readFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return parseDataFile(*bytes, options);
}

void reportFileOpenError(UserVoice& voice, const TextTable& texts, const std::string& name) {
    voice.show(MessageKind::Error, texts.message("IDS_ERR_FILEOPEN") + " - " + name);
}

}  // namespace korvel
