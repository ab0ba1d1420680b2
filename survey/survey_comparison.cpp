#include "survey/survey_comparison.h"

#include <cmath>

namespace korvel {

namespace {

std::optional<long long> elapsedMinutes(const Survey& earlier, const Survey& current) {
    if (!earlier.date || !current.date) {
        return std::nullopt;
    }
    return current.date->minutes - earlier.date->minutes;
}

std::optional<double> remainingLife(const SurveyPoint& point, std::optional<double> rate,
                                    std::optional<double> minimumThickness) {
    const auto minimum = minimumThickness ? minimumThickness : point.lowAlarm;
    if (!point.thickness || !minimum || !rate || *rate <= 0) {
        return std::nullopt;
    }
    return *point.thickness <= *minimum ? 0.0 : (*point.thickness - *minimum) / *rate;
}

// The maximum of a value, or the minimum when `lowest`: the extreme figure of its points.
std::optional<SurveyExtreme> extremeOf(const std::vector<std::optional<double>>& values,
                                       bool lowest) {
    ValueFigures figures = valueFigures(values);
    return lowest ? figures.minimum : figures.maximum;
}

}  // namespace

bool layoutsMatch(const Survey& earlier, const Survey& current) {
    if (earlier.type != current.type || earlier.points.size() != current.points.size()) {
        return false;
    }
    for (std::size_t i = 0; i < current.points.size(); ++i) {
        if (earlier.points[i].location != current.points[i].location) {
            return false;
        }
    }
    return true;
}

std::optional<double> SurveyComparison::elapsedYears() const {
    if (!elapsedMinutes) {
        return std::nullopt;
    }
    return static_cast<double>(*elapsedMinutes) / kMinutesPerYear;
}

SurveyComparison compareSurveys(const Survey& earlier, const Survey& current,
                                std::optional<double> minimumThickness) {
    SurveyComparison comparison;
    comparison.elapsedMinutes = elapsedMinutes(earlier, current);
    comparison.minimumThickness = minimumThickness;
    const auto years = comparison.elapsedYears();
    const bool timed = years && *years > 0;
    const std::size_t count = std::min(earlier.points.size(), current.points.size());
    comparison.loss.resize(count);
    comparison.rate.resize(count);
    comparison.remainingLife.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto& before = earlier.points[i].thickness;
        const auto& now = current.points[i].thickness;
        if (!before || !now) {
            continue;
        }
        // Thicknesses carry three decimals; rounding the difference keeps equal losses equal.
        comparison.loss[i] = std::round((*before - *now) * 1e6) / 1e6;
        if (timed) {
            comparison.rate[i] = *comparison.loss[i] / *years;
            comparison.remainingLife[i] =
                remainingLife(current.points[i], comparison.rate[i], minimumThickness);
        }
    }
    comparison.lossFigures = valueFigures(comparison.loss);
    comparison.largestRate = extremeOf(comparison.rate, false);
    comparison.shortestLife = extremeOf(comparison.remainingLife, true);
    return comparison;
}

}  // namespace korvel
