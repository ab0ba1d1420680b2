#pragma once
// The longest time to the next inspection that an inspection code allows, from a location's
// remaining life (docs/history.md gives each rule and its source):
//   api570: the lesser of half the remaining life and the class's maximum (class 1: 5 years,
//           classes 2 to 4: 10);
//   api510: the lesser of half the remaining life and 10 years; under 4 years of remaining
//           life, the lesser of the remaining life and 2 years;
//   api653: the lesser of half the remaining life and 15 years;
// and without a remaining life (no rate, or no required thickness): the code's maximum for an
// unknown rate (api570 the class's maximum, api510 10 years, api653 5 years).

#include <optional>

#include "history/history_types.h"

namespace korvel::history {

// Classes of api570; an asset without one is taken as class 1, the shortest interval.
inline constexpr int kLowestClass = 1;
inline constexpr int kHighestClass = 4;

// Years to the next inspection; 0 (due now) when the remaining life is 0.
double inspectionInterval(InspectionCode code, std::optional<int> inspectionClass,
                          std::optional<double> remainingLife);

}  // namespace korvel::history
