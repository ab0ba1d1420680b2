#pragma once
// Reading a text report back into a data file: a CUSTOM report becomes a LINEAR file, a GRID
// report a 2D file, written next to the report as ".CSV" and ending with two bytes 255.

#include <optional>
#include <string>
#include <vector>

#include "app/text_table.h"
#include "app/user_voice.h"
#include "datafile/data_file.h"

namespace korvel {

// What the import takes from a report.
struct TextReport {
    enum class Kind { Unknown, Custom, Grid };
    Kind kind = Kind::Unknown;
    bool hasReadings = false;  // the readings part was found
    std::string created, lastModified;
    std::string upperLeft, lowerRight;
    std::string probe, velocity;
    std::string units;  // "IN", "MM" or empty
    // CUSTOM: (location, reading); GRID: the readings of each line. An empty value is a
    // missing reading (nothing).
    std::vector<std::pair<float, std::optional<float>>> locations;
    std::vector<std::vector<std::optional<float>>> gridLines;
    // The locations the report holds, also those beyond what is kept: its location lines, or
    // its grid lines times the widest of them.
    std::size_t locationCount = 0;
};

// Grid line values: each followed by one blank; a missing reading, written as five blanks
// and its blank, is a missing reading in its own place.
std::vector<std::optional<float>> parseGridLine(std::string_view line);

// Never holds more than 5000 locations or grid readings (702 a grid line).
TextReport parseTextReport(std::string_view bytes);

// The data file of a report with readings; `fileName` is its "Filename" value. A missing
// reading (also one a shorter grid line lacks) is written as the gauge writes one, "--.---".
DataFile importedDataFile(const TextReport& report, const std::string& fileName);

// Whether the data file holds what a text report cannot carry: notes, setups beyond the
// first, waveforms, alarm or gain flags. An import over it would lose them.
bool holdsMoreThanATextReport(const DataFile& file);

struct TextReportImport {
    bool written = false;
    std::string dataPath;
};

// Import of the report `name` of `folder`, with its messages and the wait cursor; the question
// before it replaces a data file says so when that file holds more than a report carries.
TextReportImport importTextReport(const std::string& folder, const std::string& name,
                                  UserVoice& voice, const TextTable& texts);

}  // namespace korvel
