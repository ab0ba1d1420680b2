#include "datafile/text_report_writer.h"

#include <cstdlib>

#include "app/platform.h"
#include "app/text_format.h"
#include "app/text_rules.h"
#include "datafile/data_file_reader.h"
#include "datafile/date_text.h"
#include "datafile/number_text.h"
#include "datafile/output_file.h"

namespace korvel {

namespace {

const std::string kDashes(33, '-');
constexpr std::string_view kBlankReading = "     ";

// A missing reading ("--.---", "-" or empty) is written as blanks in every layout, which the
// import reads back as a missing reading.
std::string_view reportedReading(std::string_view reading) {
    const bool missing = reading.empty() || reading == "-" || reading == "--.---";
    return missing ? kBlankReading : reading;
}

std::string_view readingOf(const Reading& reading) {
    return reading.fields.size() > 1 ? std::string_view(reading.fields[1]) : std::string_view();
}

std::string_view locationOf(const Reading& reading) {
    return reading.fields.empty() ? std::string_view() : std::string_view(reading.fields[0]);
}

class ReportWriter {
  public:
    explicit ReportWriter(const DataFile& file) : file_(file) {}

    std::string write() {
        writeHeader();
        if (textReportType(file_) == "GRID" || file_.headerValue("Type") == "2D") {
            writeGrid();
        } else {
            writeList();
        }
        line(kDashes);
        return std::move(out_);
    }

  private:
    void line(std::string_view text) {
        out_ += text;
        out_ += "\r\n";
    }

    std::string lastSetupField(std::string_view name) const {
        return file_.setups.empty() ? std::string() : file_.setupField(file_.setups.back(), name);
    }

    void writeHeader() {
        const std::string name = file_.headerValue("Filename");
        const std::string type = textReportType(file_);
        line("FILE NAME: " + name);
        line("DOS FILE NAME: " + withExtension(name, ".DAT"));
        line("FILE TYPE: " + type);
        line("DATE & TIME CREATED: " + reportDateTime(file_.headerValue("Created")));
        line("DATE & TIME LAST MODIFIED: " + reportDateTime(file_.headerValue("Last Saved")));
        line("FILE DESCRIPTION: ");
        line("ALLOW MANUAL READINGS: Y");
        if (type == "CUSTOM") {
            line("NUMBER OF LOCATIONS: " + file_.headerValue("# ID"));
            line("CHARACTERS FOR LOCATION CODE: ");
            line("READINGS/LOCATION: 1");
        } else {
            line("UPPER LEFT LOCATION: " + file_.headerValue("Start Col") +
                 file_.headerValue("Start Row"));
            line("LOWER RIGHT LOCATION: " + file_.headerValue("End Col") +
                 file_.headerValue("End Row"));
        }
        line("OPERATOR ID: ");
        line("INSTRUMENT ID: ");
        line("PROBE ID: " + lastSetupField("Transducer"));
        line("MATERIAL VELOCITY: " + lastSetupField("Velocity"));
        const std::string units = lastSetupField("Units");
        line(std::string("INCHES OR MM: ") + (units == "IN" ? "I" : units == "MM" ? "M" : ""));
        line(kDashes);
    }

    void writeGrid() {
        line("READINGS");
        line(kDashes);
        if (file_.headerValue("1st Inc") == "COL") {
            writeRowByRowGrid();
        } else {
            writeColumnByColumnGrid();
        }
    }

    // Readings stored row by row: a grid line ends where the row (the location code's last
    // character) changes, and after the last reading.
    void writeRowByRowGrid() {
        const auto& readings = file_.readings;
        std::string current;
        for (std::size_t i = 0; i < readings.size(); ++i) {
            const std::string_view reading = readingOf(readings[i]);
            current += reportedReading(reading);
            current += ' ';
            const bool last = i + 1 == readings.size();
            if (last || lastCharacter(locationOf(readings[i])) !=
                            lastCharacter(locationOf(readings[i + 1]))) {
                line(current);
                current.clear();
            }
        }
    }

    static char lastCharacter(std::string_view text) { return text.empty() ? '\0' : text.back(); }

    // Readings stored column by column: grid line r holds readings r, r + rows, r + 2 rows ...
    void writeColumnByColumnGrid() {
        const long rows =
            static_cast<long>(file_.headerNumber("End Row")) - file_.headerNumber("Start Row") + 1;
        const auto& readings = file_.readings;
        for (long r = 0; r < rows && r < static_cast<long>(readings.size()); ++r) {
            std::string current;
            for (std::size_t i = static_cast<std::size_t>(r); i < readings.size();
                 i += static_cast<std::size_t>(rows)) {
                const std::string_view reading = readingOf(readings[i]);
                current += reportedReading(reading);
                current += ' ';
            }
            line(current);
        }
    }

    void writeList() {
        line("LOCATION\tREADING");
        line(kDashes);
        for (const auto& reading : file_.readings) {
            // Every reading is listed; a location above 999 keeps all its digits.
            const int location = leadingNumber(locationOf(reading));
            const std::string_view value = readingOf(reading);
            std::string text = zeroPadded(location, 3) + ".00\t\t";
            text += reportedReading(value);
            line(text);
        }
    }

    const DataFile& file_;
    std::string out_;
};

bool mixesUnits(const DataFile& file) {
    const auto column = file.readingColumn("Units");
    bool inches = false, millimetres = false, microseconds = false;
    for (const auto& reading : file.readings) {
        const std::string_view units = fieldAtColumn(reading, column);
        inches = inches || contains(units, "IN");
        millimetres = millimetres || contains(units, "MM");
        microseconds = microseconds || contains(units, "USEC");
    }
    return int(inches) + int(millimetres) + int(microseconds) > 1;
}

}  // namespace

std::string textReportType(const DataFile& file) {
    const std::string first = file.headerValue("1st Inc");
    const std::string second = file.headerValue("2nd Inc");
    const bool gridFirst = file.headerValue("Type") == "2D" && (first == "ROW" || first == "COL");
    return gridFirst || second == "ROW" || second == "COL" ? "GRID" : "CUSTOM";
}

bool textReportSupported(const DataFile& file) {
    if (mixesUnits(file)) {
        return false;
    }
    const std::string type = file.headerValue("Type");
    const bool numericRows = file.headerNumber("Start Row") > 0;
    return (type == "LINEAR" && numericRows) ||
           (type == "2D" && numericRows && file.headerNumber("Start Col") <= 0);
}

std::optional<std::string> textReportBytes(const DataFile& file) {
    if (!textReportSupported(file)) {
        return std::nullopt;
    }
    return ReportWriter(file).write();
}

TextReportExport exportTextReport(const std::string& folder, const std::string& name,
                                  UserVoice& voice, const TextTable& texts) {
    WaitCursor wait(voice);
    TextReportExport result;
    const std::string path = joinPath(folder, name);
    const auto file = readDataFile(path, reportReadOptions());
    if (!file) {
        reportFileOpenError(voice, texts, name);
        return result;
    }
    // A header that claims readings the file does not hold would make a report that
    // disagrees with its own rows.
    const std::string claimed = file->headerValue("# ID");
    const long claimedCount = std::strtol(claimed.c_str(), nullptr, 10);
    if (claimedCount > static_cast<long>(file->readings.size())) {
        voice.show(MessageKind::Error,
                   formatWithArguments(texts.message("IDS_ERR_EXPORT_HEADERROWS"),
                                       {name, claimed, std::to_string(file->readings.size())}));
        return result;
    }
    const auto report = textReportBytes(*file);
    if (!report) {
        voice.show(MessageKind::Error, texts.message("IDS_STATUS_FILE_EXPORT_NOTSUPPORTED"));
        return result;
    }
    const std::string reportPath = withExtension(path, ".DAT");
    if (!mayOverwrite(reportPath, voice, texts) ||
        !saveOrReport(reportPath, *report, voice, texts)) {
        return result;
    }
    voice.show(MessageKind::Notice,
               texts.message("IDS_STATUS_FILE_EXPORT_COMPLETE") + " " + reportPath);
    result.written = true;
    result.reportPath = reportPath;
    return result;
}

}  // namespace korvel
