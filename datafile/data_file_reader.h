#pragma once
// Reading a data file into its model. One reader serves the data view (lines of up to 511
// characters) and the export and import (254); both read in the same order:
//   product line (optional), header names, header values, the readings with the A-scan
//   block after every reading whose "A Scan" is "ON", the setups, the notes.
// The reader never holds more than its capacities, whatever the file says, and mends what a
// plain walk through the blocks would get wrong:
//   - every reading whose "A Scan" is "ON" has its own block read, whatever came before it;
//   - the reading column line, which stands again after every A-scan block (the last one
//     included), is never taken for a reading or for the setup column line;
//   - blank lines between blocks and rows carry nothing and are stepped over;
//   - a trace ends at the first line that is not a trace data line, so a short trace never
//     swallows the scan settings line or the lines after it.

#include <optional>
#include <string>
#include <string_view>

#include "app/text_table.h"
#include "app/user_voice.h"
#include "datafile/data_file.h"

namespace korvel {

struct ReadOptions {
    std::size_t lineLimit = kViewLineLimit;  // characters a line holds with its LF
    std::size_t maxReadings = kMaxReadings;
    std::size_t maxSetups = kMaxSetups;
    std::size_t maxNotes = kMaxNotes;
    std::size_t maxTraceValues = kMaxTraceValues;
};

// The options of the export and the import: lines of up to 254 characters.
ReadOptions reportReadOptions();

// The model of the file's bytes (a UTF-8 byte order mark before them is skipped). Never fails:
// what cannot be read stays empty.
DataFile parseDataFile(std::string_view bytes, const ReadOptions& options = {});

// The model of the file at path, or nothing when it cannot be opened.
std::optional<DataFile> readDataFile(const std::string& path, const ReadOptions& options = {});

// The message for a file that cannot be opened: "Error opening file - NAME", an error box.
void reportFileOpenError(UserVoice& voice, const TextTable& texts, const std::string& name);

}  // namespace korvel
