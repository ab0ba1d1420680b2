#pragma once
// The thinnest locations of a survey: the points with a value, lowest first, ties in file
// order, at most the number asked for. Holes are never among them.

#include <cstddef>
#include <vector>

#include "survey/survey_layout.h"

namespace korvel {

std::vector<std::size_t> thinnestPoints(const Survey& survey, std::size_t count);

}  // namespace korvel
