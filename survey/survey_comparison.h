#pragma once
// An earlier survey against the current one of the same layout: the wall lost at each location
// since then, the time between the surveys, the corrosion rate per year and the years left
// until the wall reaches the minimum thickness it must keep.
//
// Two surveys share a layout when the line keys of their readings, the location codes, are
// equal one by one, the rule by which files match for merging, and their types are the same.
// The file's own name, its setups, notes and waveforms may differ: the earlier survey of a
// layout is usually kept under another name.

#include <cstddef>
#include <optional>
#include <vector>

#include "survey/survey_layout.h"
#include "survey/survey_statistics.h"

namespace korvel {

bool layoutsMatch(const Survey& earlier, const Survey& current);

struct SurveyComparison {
    // Per point of the current survey; none where either survey has a hole.
    std::vector<std::optional<double>> loss;  // earlier minus current: positive is wall lost
    std::vector<std::optional<double>> rate;  // loss per year
    // Years until the current thickness falls to the minimum at this rate; 0 at or below it;
    // none where the wall did not thin or no minimum is known.
    std::vector<std::optional<double>> remainingLife;

    // Minutes from the earlier survey's date to the current one's; none when a date is
    // missing. Rates need a positive time: equal or reversed dates give no rate.
    std::optional<long long> elapsedMinutes;
    std::optional<double> elapsedYears() const;

    // The minimum thickness the user gave; none means each reading's setup "Low Alarm".
    std::optional<double> minimumThickness;

    ValueFigures lossFigures;  // its maximum is the largest loss, with its locations
    std::optional<SurveyExtreme> largestRate;
    std::optional<SurveyExtreme> shortestLife;
};

// The comparison of two surveys whose layouts match (check layoutsMatch first).
SurveyComparison compareSurveys(const Survey& earlier, const Survey& current,
                                std::optional<double> minimumThickness = std::nullopt);

}  // namespace korvel
