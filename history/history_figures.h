#pragma once
// The figures of an asset's history, per location over all its surveys (readings left out
// and holes do not count; thicknesses in the asset's units, 25.4 mm to the inch; a year is
// 365.25 days):
//   long-term rate  = (initial - actual) / years between them,
//   short-term rate = (previous - actual) / years between them, neither with one value;
//   governing rate  = the greater of the two;
//   regression rate = minus the least-squares slope of every value against time, with three
//                     values or more;
//   remaining life  = (actual - required) / governing rate; 0 at or below the required
//                     thickness (flagged); none when the governing rate is not above 0;
//   next inspection = the actual survey's date plus the code's interval; at or below the
//                     required thickness the actual date (due now).
// Per asset: the location due first and the one with the shortest remaining life.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "history/history_types.h"

namespace korvel::history {

struct DatedValue {
    long long survey = 0;
    long long dateMinutes = 0;
    double value = 0;
};

struct LocationFigures {
    std::string location;
    int values = 0;  // readings that count
    std::optional<DatedValue> initial;
    std::optional<DatedValue> previous;
    std::optional<DatedValue> actual;
    std::optional<double> longTermRate;
    std::optional<double> shortTermRate;
    std::optional<double> regressionRate;
    std::optional<double> governingRate;
    std::optional<double> remainingLife;
    std::optional<long long> nextInspectionMinutes;
    bool belowRequired = false;
};

struct AssetFigures {
    Asset asset;
    std::string units;  // the asset's, else its first survey's
    int surveys = 0;
    std::vector<LocationFigures> locations;  // in the order they first appear
    std::optional<std::size_t> dueFirst;     // index into locations
    std::optional<std::size_t> shortestLife;
};

// The units the asset's figures are given in: its own, else its first survey's, else inches.
std::string figureUnits(const Asset& asset, const std::vector<SurveyEntry>& surveys);

// The figures of readings in date order (the storage's order); a location given twice in one
// survey counts once, its first reading.
AssetFigures assetFigures(const Asset& asset, const std::vector<SurveyEntry>& surveys,
                          const std::vector<StoredReading>& readings);

// A thickness in a survey's units given in the other units.
double convertedThickness(double value, const std::string& from, const std::string& to);

}  // namespace korvel::history
