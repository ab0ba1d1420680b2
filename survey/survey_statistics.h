#pragma once
// The figures of a survey, for the whole file and for each layer of a grid: how many readings
// have a value and how many are holes, the minimum and maximum with every location where they
// stand (ties keep all of them), the mean and the standard deviation, the readings in each
// alarm class, and for grids the minimum of every row and every column.

#include <cstddef>
#include <optional>
#include <vector>

#include "survey/survey_layout.h"

namespace korvel {

// A value and the points (indices into Survey::points) that hold it, in file order.
struct SurveyExtreme {
    double value = 0;
    std::vector<std::size_t> points;
};

// count, holes, minimum, maximum, mean and standard deviation of one value per point.
struct ValueFigures {
    std::size_t count = 0;  // points with a value
    std::size_t holes = 0;  // points without one
    std::optional<SurveyExtreme> minimum;
    std::optional<SurveyExtreme> maximum;
    std::optional<double> mean;
    std::optional<double> standardDeviation;  // of a sample: divided by count - 1; 0 for one
};

// The points given (all of them when `indices` is null) with the value each has, or none.
ValueFigures valueFigures(const std::vector<std::optional<double>>& values,
                          const std::vector<std::size_t>* indices = nullptr);

struct AlarmCounts {
    std::size_t lowAlarm = 0;
    std::size_t lowWarning = 0;
    std::size_t highAlarm = 0;
    std::size_t highWarning = 0;
};

struct SurveyFigures {
    ValueFigures thickness;
    AlarmCounts alarms;
};

struct LayerStatistics {
    SurveyFigures figures;
    std::vector<std::optional<double>> rowMinima;     // one per row; none for a row of holes
    std::vector<std::optional<double>> columnMinima;  // one per column
};

struct SurveyStatistics {
    SurveyFigures whole;
    std::vector<LayerStatistics> layers;  // one per layer of a grid
};

// The thickness of every point, holes as none.
std::vector<std::optional<double>> thicknesses(const Survey& survey);

// The points of the layer's cells, in file order.
std::vector<std::size_t> layerPoints(const SurveyLayer& layer);

SurveyStatistics surveyStatistics(const Survey& survey);

}  // namespace korvel
