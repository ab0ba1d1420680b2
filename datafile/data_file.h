#pragma once
// The gauge's data-logger file as the PC keeps it: an optional product line, the header (column
// names and one value each), the readings with their optional A-scan waveforms, the setups and
// the notes. Every field is kept as the text that stood in the file.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// The product a file without a product line is taken to be.
inline constexpr std::string_view kUnnamedProduct = "KQ-77";
// The format version the PC writes on the product line.
inline constexpr std::string_view kFormatVersion = "v1.09A";
// The reading column line every writer uses.
inline constexpr std::string_view kReadingColumnLine =
    "ID,Thickness,Units,Alarm,Diff,Gain,Fast,Note #,Setup #,Meas Mode,B Scan,A Scan,";

// Capacities of the readers: no file makes them hold more.
inline constexpr std::size_t kMaxReadings = 5000;
inline constexpr std::size_t kMaxTraceValues = 180;
inline constexpr std::size_t kMaxSetups = 20;
inline constexpr std::size_t kMaxNotes = 20;
inline constexpr std::size_t kMaxBScanSegments = 100;

// Line limits (characters with the LF) of the data view and of the export and import.
inline constexpr std::size_t kViewLineLimit = 511;
inline constexpr std::size_t kReportLineLimit = 254;

// One trace of an A-scan: the "Max Data" or "Min Data" line and the values below it.
struct Trace {
    std::vector<std::string> lineFields;  // every field of the "Max Data"/"Min Data" line
    std::vector<std::string> values;      // integer values as text, at most kMaxTraceValues

    // The number of values the line's factors (fields 2 and 3) announce; 180 when their
    // product is below 1.
    long announcedCount() const;
};

struct AScan {
    Trace max;
    Trace min;
    std::vector<std::string> settings;  // fields of the scan settings line ("DELAY=..." ...)

    // The value of a "KEY=value" settings field, e.g. settingValue("RANGE").
    std::optional<std::string> settingValue(std::string_view key) const;
};

struct Reading {
    std::vector<std::string> fields;  // as shown: an empty field or a single blank reads "-"
    std::optional<AScan> ascan;       // the waveform block that followed the row, if any
};

class DataFile {
  public:
    // Product line: present or not; the product code and the format version on it.
    bool hasProductLine = false;
    std::string product = std::string(kUnnamedProduct);
    std::string productVersion;

    std::vector<std::string> headerNames;
    std::vector<std::string> headerValues;

    std::vector<std::string> readingColumns;
    std::vector<Reading> readings;

    std::vector<std::string> setupColumns;
    std::vector<std::vector<std::string>> setups;

    std::vector<std::string> noteColumns;
    std::vector<std::vector<std::string>> notes;

    // The file ends with the two bytes 255 255 that the import writes.
    bool endMarker = false;

    // Header lookup by column name without regard to case.
    std::optional<std::size_t> headerIndex(std::string_view name) const;
    // The value under the name; empty when the column or its value is missing.
    std::string headerValue(std::string_view name) const;
    // The value's leading decimal number (0 when missing).
    int headerNumber(std::string_view name) const;
    // Sets the value of an existing column or appends the column.
    void setHeaderValue(std::string_view name, std::string_view value);

    // Reading column position by exact, case-sensitive name.
    std::optional<std::size_t> readingColumn(std::string_view name) const;
    // The reading's field in the named column; empty when either is missing.
    std::string readingField(const Reading& reading, std::string_view name) const;
    // Setup column position by exact name, and the field of a setup row in that column.
    std::optional<std::size_t> setupColumn(std::string_view name) const;
    std::string setupField(const std::vector<std::string>& setup, std::string_view name) const;
};

// The reading's field at a column position found by readingColumn(); empty when either is
// missing. For loops over readings, where the column is looked up once.
std::string_view fieldAtColumn(const Reading& reading, std::optional<std::size_t> column);

// The product code of a product line: the text between its first ':' and the next ','.
std::string productCodeOf(std::string_view productLine);
// Whether a line is the product line: its first seven characters are "Product" in any case.
bool isProductLine(std::string_view line);
// Whether the bytes begin as a data file: after a UTF-8 byte order mark and the product line,
// if there is one, the header column line, whose first field is "Filename" in any case.
bool hasDataFileHeader(std::string_view bytes);
// Whether a line is the reading column line: it contains "ID,".
bool isReadingColumnLine(std::string_view line);

// The name a data file is shown by (window and chart titles, report footers): the file name of
// its path in upper case.
std::string displayNameOf(const std::string& path);

}  // namespace korvel
