#pragma once
// A data file as the inspection history takes it in: its bytes kept exactly, its date ("Last
// Saved", else "Created", as the comparison of two surveys takes it), its units and every
// reading by location, holes kept as holes. A file that is not a data file, has no date or
// gives thicknesses in units other than inches or millimetres is refused.

#include <string>

#include "history/history_types.h"

namespace korvel::history {

// The units text of a file or an option ("in", " MM ") as the history writes it ("IN", "MM");
// empty when it is neither.
std::string thicknessUnits(std::string_view text);

HistoryResult<NewSurvey> surveyIntake(const std::string& fileName, std::string bytes);

}  // namespace korvel::history
