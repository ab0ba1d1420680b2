#pragma once
// The setup list and the notes text of the selected reading.

#include <string>
#include <utility>
#include <vector>

#include "datafile/data_file.h"

namespace korvel {

// The setup values the chart uses. Each keeps its value from an earlier selection when the
// selected reading's setup leaves it empty.
struct SetupValues {
    std::string bsRange;
    std::string bsResolution;
    std::string units;
    std::string measMode;
};

using SetupListRows = std::vector<std::pair<std::string, std::string>>;  // (Type, Value)

// The rows of setup n (setups count from 1): one per setup column after the first, empty
// values included. Takes the setup's non-empty chart values into `values`. A setup the file
// does not hold gives no rows.
SetupListRows setupListRows(const DataFile& file, int setupNumber, SetupValues& values);

// The non-empty text fields of note n (notes count from 1), each followed by CR LF; empty for
// note 0 and for a note the file does not hold.
std::string noteText(const DataFile& file, int noteNumber);

}  // namespace korvel
