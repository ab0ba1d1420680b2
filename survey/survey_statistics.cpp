#include "survey/survey_statistics.h"

#include <algorithm>
#include <cmath>

namespace korvel {

namespace {

void account(std::optional<SurveyExtreme>& extreme, double value, std::size_t point,
             bool (*better)(double, double)) {
    if (!extreme || better(value, extreme->value)) {
        extreme = SurveyExtreme{value, {point}};
    } else if (value == extreme->value) {
        extreme->points.push_back(point);
    }
}

template <typename Visit>
void forEachPoint(std::size_t size, const std::vector<std::size_t>* indices, Visit visit) {
    if (indices) {
        std::for_each(indices->begin(), indices->end(), visit);
        return;
    }
    for (std::size_t i = 0; i < size; ++i) {
        visit(i);
    }
}

AlarmCounts alarmCounts(const Survey& survey, const std::vector<std::size_t>* indices) {
    AlarmCounts counts;
    forEachPoint(survey.points.size(), indices, [&](std::size_t i) {
        switch (survey.points[i].alarm) {
            case AlarmLevel::LowAlarm:
                ++counts.lowAlarm;
                break;
            case AlarmLevel::LowWarning:
                ++counts.lowWarning;
                break;
            case AlarmLevel::HighAlarm:
                ++counts.highAlarm;
                break;
            case AlarmLevel::HighWarning:
                ++counts.highWarning;
                break;
            case AlarmLevel::None:
                break;
        }
    });
    return counts;
}

// The smallest value of each row or column of a layer (byRow chooses which).
std::vector<std::optional<double>> lineMinima(const SurveyLayer& layer,
                                              const std::vector<std::optional<double>>& values,
                                              bool byRow) {
    std::vector<std::optional<double>> minima(byRow ? layer.rows() : layer.columns());
    for (std::size_t row = 0; row < layer.rows(); ++row) {
        for (std::size_t column = 0; column < layer.columns(); ++column) {
            const int point = layer.at(row, column);
            if (point == kNoPoint || !values[point]) {
                continue;
            }
            auto& minimum = minima[byRow ? row : column];
            minimum = minimum ? std::min(*minimum, *values[point]) : *values[point];
        }
    }
    return minima;
}

}  // namespace

ValueFigures valueFigures(const std::vector<std::optional<double>>& values,
                          const std::vector<std::size_t>* indices) {
    ValueFigures figures;
    double sum = 0;
    forEachPoint(values.size(), indices, [&](std::size_t i) {
        if (!values[i]) {
            ++figures.holes;
            return;
        }
        ++figures.count;
        sum += *values[i];
        account(figures.minimum, *values[i], i, [](double a, double b) { return a < b; });
        account(figures.maximum, *values[i], i, [](double a, double b) { return a > b; });
    });
    if (figures.count == 0) {
        return figures;
    }
    const double mean = sum / static_cast<double>(figures.count);
    double squares = 0;
    forEachPoint(values.size(), indices, [&](std::size_t i) {
        if (values[i]) {
            squares += (*values[i] - mean) * (*values[i] - mean);
        }
    });
    figures.mean = mean;
    figures.standardDeviation =
        figures.count > 1 ? std::sqrt(squares / static_cast<double>(figures.count - 1)) : 0.0;
    return figures;
}

std::vector<std::optional<double>> thicknesses(const Survey& survey) {
    std::vector<std::optional<double>> values;
    values.reserve(survey.points.size());
    for (const auto& point : survey.points) {
        values.push_back(point.thickness);
    }
    return values;
}

std::vector<std::size_t> layerPoints(const SurveyLayer& layer) {
    std::vector<std::size_t> points;
    for (const int cell : layer.cells) {
        if (cell != kNoPoint) {
            points.push_back(static_cast<std::size_t>(cell));
        }
    }
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}

SurveyStatistics surveyStatistics(const Survey& survey) {
    const auto values = thicknesses(survey);
    SurveyStatistics statistics;
    statistics.whole = {valueFigures(values), alarmCounts(survey, nullptr)};
    for (const auto& layer : survey.layers) {
        const auto points = layerPoints(layer);
        statistics.layers.push_back({{valueFigures(values, &points), alarmCounts(survey, &points)},
                                     lineMinima(layer, values, true),
                                     lineMinima(layer, values, false)});
    }
    return statistics;
}

}  // namespace korvel
