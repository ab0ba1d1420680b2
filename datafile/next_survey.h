#pragma once
// The next survey of the same grid: a Create File request filled from a data file's header
// (product, type, save mode, ranges and increments) under a new name, so that the empty file
// made from it takes the same readings again.

#include <string>
#include <vector>

#include "datafile/data_file.h"
#include "datafile/file_create.h"

namespace korvel {

// The file name the next survey is offered under: "PIPE-A.CSV" gives "PIPE-A-2", "TANK-2"
// gives "TANK-3"; a stem too long for the name rule is shortened before its number; a name of
// `taken` (compared without regard to case, with or without ".CSV") is passed over.
std::string nextSurveyName(const std::string& fileName, const std::vector<std::string>& taken);

// The request for the next survey of the file, named as nextSurveyName gives.
CreateRequest nextSurveyRequest(const DataFile& file, const std::string& fileName,
                                const std::vector<std::string>& taken);

}  // namespace korvel
