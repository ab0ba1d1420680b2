#include "survey/survey_json.h"

#include "datafile/data_file_json.h"
#include "datafile/number_text.h"

namespace korvel {

namespace {

// Decimals written: thicknesses and losses as the gauge writes them; derived figures finer.
constexpr int kThicknessDecimals = 3;
constexpr int kDerivedDecimals = 4;
constexpr int kYearDecimals = 2;

std::string number(std::optional<double> value, int decimals) {
    return value ? fixedDecimals(*value, decimals) : "null";
}

std::string member(const char* name, const std::string& json, bool first = false) {
    return std::string(first ? "" : ",") + "\"" + name + "\":" + json;
}

std::string locations(const Survey& survey, const std::vector<std::size_t>& points) {
    std::string out = "[";
    for (std::size_t i = 0; i < points.size(); ++i) {
        out += (i ? "," : "") + jsonString(survey.points[points[i]].location);
    }
    return out + "]";
}

std::string extreme(const Survey& survey, const std::optional<SurveyExtreme>& value, int decimals) {
    if (!value) {
        return "null";
    }
    return "{" + member("value", fixedDecimals(value->value, decimals), true) +
           member("locations", locations(survey, value->points)) + "}";
}

std::string valueFiguresMembers(const Survey& survey, const ValueFigures& figures, int decimals) {
    return member("count", std::to_string(figures.count), true) +
           member("holes", std::to_string(figures.holes)) +
           member("minimum", extreme(survey, figures.minimum, decimals)) +
           member("maximum", extreme(survey, figures.maximum, decimals)) +
           member("mean", number(figures.mean, kDerivedDecimals)) +
           member("standardDeviation", number(figures.standardDeviation, kDerivedDecimals));
}

std::string alarmsJson(const AlarmCounts& alarms) {
    return "{" + member("lowAlarm", std::to_string(alarms.lowAlarm), true) +
           member("lowWarning", std::to_string(alarms.lowWarning)) +
           member("highAlarm", std::to_string(alarms.highAlarm)) +
           member("highWarning", std::to_string(alarms.highWarning)) + "}";
}

std::string figuresMembers(const Survey& survey, const SurveyFigures& figures) {
    return valueFiguresMembers(survey, figures.thickness, kThicknessDecimals) +
           member("alarms", alarmsJson(figures.alarms));
}

template <typename Item, typename Write>
std::string array(const std::vector<Item>& items, Write write) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i ? "," : "") + write(items[i]);
    }
    return out + "]";
}

std::string layerJson(const Survey& survey, const SurveyLayer& layer,
                      const LayerStatistics& statistics) {
    const auto thickness = [](const std::optional<double>& value) {
        return number(value, kThicknessDecimals);
    };
    return "{" + member("name", jsonString(layer.name), true) +
           member("columns", array(layer.columnLabels, jsonString)) +
           member("rows", array(layer.rowLabels, jsonString)) + "," +
           figuresMembers(survey, statistics.figures) +
           member("rowMinima", array(statistics.rowMinima, thickness)) +
           member("columnMinima", array(statistics.columnMinima, thickness)) + "}";
}

std::string shapeName(const Survey& survey) {
    return survey.shape == SurveyShape::Grid ? "\"grid\"" : "\"sequence\"";
}

std::string pointJson(const Survey& earlier, const Survey& current,
                      const SurveyComparison& comparison, std::size_t i) {
    return "{" + member("location", jsonString(current.points[i].location), true) +
           member("earlier", number(earlier.points[i].thickness, kThicknessDecimals)) +
           member("current", number(current.points[i].thickness, kThicknessDecimals)) +
           member("loss", number(comparison.loss[i], kThicknessDecimals)) +
           member("rate", number(comparison.rate[i], kDerivedDecimals)) +
           member("remainingLife", number(comparison.remainingLife[i], kYearDecimals)) + "}";
}

}  // namespace

std::string surveyStatisticsJson(const std::string& fileName, const Survey& survey,
                                 const SurveyStatistics& statistics) {
    std::string layers = "[";
    for (std::size_t i = 0; i < survey.layers.size(); ++i) {
        layers += (i ? "," : "") + layerJson(survey, survey.layers[i], statistics.layers[i]);
    }
    return "{" + member("file", jsonString(fileName), true) +
           member("type", jsonString(survey.type)) + member("layout", shapeName(survey)) +
           member("layerAxis", jsonString(survey.layerAxis)) +
           member("units", jsonString(survey.units)) +
           member("readings", std::to_string(survey.points.size())) +
           member("whole", "{" + figuresMembers(survey, statistics.whole) + "}") +
           member("layers", layers + "]") + "}";
}

std::string surveyComparisonJson(const std::string& earlierName, const std::string& currentName,
                                 const Survey& earlier, const Survey& current,
                                 const SurveyComparison& comparison) {
    std::string points = "[";
    for (std::size_t i = 0; i < comparison.loss.size(); ++i) {
        points += (i ? "," : "") + pointJson(earlier, current, comparison, i);
    }
    const auto minutes = comparison.elapsedMinutes;
    return "{" + member("earlier", jsonString(earlierName), true) +
           member("current", jsonString(currentName)) + member("units", jsonString(current.units)) +
           member("elapsedDays",
                  number(minutes ? std::optional<double>(*minutes / 1440.0) : std::nullopt,
                         kYearDecimals)) +
           member("elapsedYears", number(comparison.elapsedYears(), kDerivedDecimals)) +
           member("minimumThickness", number(comparison.minimumThickness, kThicknessDecimals)) +
           member("loss",
                  "{" + valueFiguresMembers(current, comparison.lossFigures, kThicknessDecimals) +
                      "}") +
           member("largestLoss",
                  extreme(current, comparison.lossFigures.maximum, kThicknessDecimals)) +
           member("largestRate", extreme(current, comparison.largestRate, kDerivedDecimals)) +
           member("shortestRemainingLife",
                  extreme(current, comparison.shortestLife, kYearDecimals)) +
           member("locations", points + "]") + "}";
}

}  // namespace korvel
