#include "history/history_figures.h"

#include <unordered_map>

#include "history/inspection_interval.h"
#include "survey/survey_date.h"

namespace korvel::history {

namespace {

// Conversions and differences of three-decimal readings are compared this finely.
constexpr double kTolerance = 1e-9;

struct LocationSeries {
    LocationFigures figures;
    std::vector<DatedValue> values;
    long long lastSurvey = -1;
};

double yearsBetween(const DatedValue& from, const DatedValue& to) {
    return static_cast<double>(to.dateMinutes - from.dateMinutes) / kMinutesPerYear;
}

std::optional<double> rateBetween(const DatedValue& from, const DatedValue& to) {
    const double years = yearsBetween(from, to);
    if (years <= 0) {
        return std::nullopt;
    }
    return (from.value - to.value) / years;
}

std::optional<double> regressionRate(const std::vector<DatedValue>& values) {
    if (values.size() < 3) {
        return std::nullopt;
    }
    double meanYears = 0, meanValue = 0;
    for (const auto& value : values) {
        meanYears += yearsBetween(values.front(), value);
        meanValue += value.value;
    }
    meanYears /= static_cast<double>(values.size());
    meanValue /= static_cast<double>(values.size());
    double covariance = 0, variance = 0;
    for (const auto& value : values) {
        const double years = yearsBetween(values.front(), value) - meanYears;
        covariance += years * (value.value - meanValue);
        variance += years * years;
    }
    if (variance <= 0) {
        return std::nullopt;
    }
    return -covariance / variance;
}

std::optional<double> greaterOf(std::optional<double> a, std::optional<double> b) {
    if (!a || !b) {
        return a ? a : b;
    }
    return std::max(*a, *b);
}

void completeFigures(LocationSeries& series, const Asset& asset) {
    LocationFigures& figures = series.figures;
    const auto& values = series.values;
    figures.values = static_cast<int>(values.size());
    if (values.empty()) {
        return;
    }
    figures.initial = values.front();
    figures.actual = values.back();
    if (values.size() >= 2) {
        figures.previous = values[values.size() - 2];
        figures.longTermRate = rateBetween(*figures.initial, *figures.actual);
        figures.shortTermRate = rateBetween(*figures.previous, *figures.actual);
    }
    figures.regressionRate = regressionRate(values);
    figures.governingRate = greaterOf(figures.longTermRate, figures.shortTermRate);
    if (asset.required) {
        figures.belowRequired = figures.actual->value <= *asset.required + kTolerance;
        if (figures.belowRequired) {
            figures.remainingLife = 0.0;
        } else if (figures.governingRate && *figures.governingRate > 0) {
            figures.remainingLife =
                (figures.actual->value - *asset.required) / *figures.governingRate;
        }
    }
    if (asset.code) {
        const double years =
            figures.belowRequired
                ? 0.0
                : inspectionInterval(*asset.code, asset.inspectionClass, figures.remainingLife);
        figures.nextInspectionMinutes =
            figures.actual->dateMinutes + static_cast<long long>(years * kMinutesPerYear);
    }
}

// The index of the location with the least of a figure; the first of equals.
template <typename Figure>
std::optional<std::size_t> leastOf(const std::vector<LocationFigures>& locations, Figure figure) {
    std::optional<std::size_t> least;
    for (std::size_t i = 0; i < locations.size(); ++i) {
        const auto value = figure(locations[i]);
        if (value && (!least || *value < *figure(locations[*least]))) {
            least = i;
        }
    }
    return least;
}

}  // namespace

double convertedThickness(double value, const std::string& from, const std::string& to) {
    if (from == to) {
        return value;
    }
    return to == kMillimetres ? value * kMillimetresPerInch : value / kMillimetresPerInch;
}

std::string figureUnits(const Asset& asset, const std::vector<SurveyEntry>& surveys) {
    if (!asset.units.empty()) {
        return asset.units;
    }
    return surveys.empty() ? std::string(kInches) : surveys.front().units;
}

AssetFigures assetFigures(const Asset& asset, const std::vector<SurveyEntry>& surveys,
                          const std::vector<StoredReading>& readings) {
    AssetFigures result;
    result.asset = asset;
    result.units = figureUnits(asset, surveys);
    result.surveys = static_cast<int>(surveys.size());
    std::vector<LocationSeries> series;
    std::unordered_map<std::string, std::size_t> byLocation;
    for (const StoredReading& reading : readings) {
        const auto [at, added] = byLocation.try_emplace(reading.location, series.size());
        if (added) {
            series.push_back({});
            series.back().figures.location = reading.location;
        }
        LocationSeries& location = series[at->second];
        if (location.lastSurvey == reading.survey) {
            continue;
        }
        location.lastSurvey = reading.survey;
        if (reading.value && !reading.excluded) {
            location.values.push_back(
                {reading.survey, reading.dateMinutes,
                 convertedThickness(*reading.value, reading.units, result.units)});
        }
    }
    for (auto& location : series) {
        completeFigures(location, asset);
        result.locations.push_back(std::move(location.figures));
    }
    result.dueFirst = leastOf(result.locations, [](const LocationFigures& figures) {
        return figures.nextInspectionMinutes;
    });
    result.shortestLife = leastOf(
        result.locations, [](const LocationFigures& figures) { return figures.remainingLife; });
    return result;
}

}  // namespace korvel::history
