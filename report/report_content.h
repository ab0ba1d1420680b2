#pragma once
// What an inspection report of one data file says, before it is laid out on pages: the title
// block, the setups and notes as tables, the readings with their alarm classes and the readings
// whose waveform it shows. Headings come from the text table, so they follow the chosen
// language; the file's own texts stay as the file holds them.

#include <string>
#include <utility>
#include <vector>

#include "datafile/data_file.h"
#include "dataview/chart/alarm_class.h"
#include "survey/thickness_units.h"

namespace korvel {

class TextTable;

// A table: a header row and rows of the same width.
struct ReportTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

struct ReportContent {
    std::string title;
    std::vector<std::pair<std::string, std::string>> titleBlock;  // (label, value)
    std::string setupsHeading;
    ReportTable setups;  // one row per setup field, one column per setup
    std::string notesHeading;
    ReportTable notes;
    std::string readingsHeading;
    std::string noReadings;  // said under the heading of a file without readings
    ReportTable readings;
    std::vector<AlarmClass> readingAlarms;  // one per reading row
    std::string alarmLegend;
    std::string warningLegend;
    std::string ascansHeading;
    std::vector<int> ascanReadings;  // file positions of the readings that carry a waveform
    std::string footerName;          // the file's display name
    std::string pageFormat;          // "Page %s of %s"
};

// Who made the report and when: the program's title with its version, the gauge name and the
// report's date as text.
struct ReportOrigin {
    std::string program;
    std::string reportDate;
};

// The readings' thicknesses in the units given; none keeps each reading's own.
ReportContent reportContent(const DataFile& file, const std::string& displayName,
                            const TextTable& texts, const ReportOrigin& origin,
                            std::optional<ThicknessUnits> units = std::nullopt);

// "Page 3 of 12" from the format's first and second %s.
std::string pageLabel(const std::string& format, int page, int pageCount);

}  // namespace korvel
