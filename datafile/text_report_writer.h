#pragma once
// The text report of a data file: labelled header lines, then the readings as a location list
// (LINEAR files) or as a grid (2D files), written next to the data file as ".DAT".

#include <optional>
#include <string>

#include "app/text_table.h"
#include "app/user_voice.h"
#include "datafile/data_file.h"

namespace korvel {

// "GRID" for a 2D file advancing by ROW or COL first (or any file whose 2nd Inc is ROW or
// COL), else "CUSTOM".
std::string textReportType(const DataFile& file);

// Whether the file can be exported: readings of one kind of units only, and a LINEAR file
// with a numeric Start Row or a 2D file with a numeric Start Row and a letter Start Col.
bool textReportSupported(const DataFile& file);

// The report's bytes (CR LF line ends), or nothing when the file is not supported.
std::optional<std::string> textReportBytes(const DataFile& file);

struct TextReportExport {
    bool written = false;
    std::string reportPath;
};

// Export of the file `name` of `folder`, with its messages and the wait cursor.
TextReportExport exportTextReport(const std::string& folder, const std::string& name,
                                  UserVoice& voice, const TextTable& texts);

}  // namespace korvel
