#include "survey/thickness_units.h"

#include "app/text_rules.h"
#include "datafile/number_text.h"

namespace korvel {

namespace {

std::optional<double> converted(std::optional<double> value, ThicknessUnits from,
                                ThicknessUnits to) {
    return value ? std::optional<double>(convertThickness(*value, from, to)) : std::nullopt;
}

}  // namespace

std::optional<ThicknessUnits> parseThicknessUnits(std::string_view text) {
    const std::string_view units = trimmed(text);
    if (equalsNoCase(units, "IN")) {
        return ThicknessUnits::Inches;
    }
    if (equalsNoCase(units, "MM")) {
        return ThicknessUnits::Millimetres;
    }
    return std::nullopt;
}

std::string_view unitsText(ThicknessUnits units) {
    return units == ThicknessUnits::Inches ? "IN" : "MM";
}

double convertThickness(double value, ThicknessUnits from, ThicknessUnits to) {
    if (from == to) {
        return value;
    }
    return to == ThicknessUnits::Millimetres ? value * kMillimetresPerInch
                                             : value / kMillimetresPerInch;
}

std::string thicknessText(double value, std::string_view units) {
    return fixedDecimals(value, parseThicknessUnits(units) == ThicknessUnits::Millimetres ? 2 : 3);
}

std::string shownThicknessText(std::string_view text, std::string_view fileUnits,
                               ThicknessUnits shown) {
    const auto units = parseThicknessUnits(fileUnits);
    const auto value = thicknessValue(text);
    if (!units || *units == shown || !value) {
        return std::string(text);
    }
    return thicknessText(convertThickness(*value, *units, shown), unitsText(shown));
}

std::string shownUnitsText(std::string_view fileUnits, ThicknessUnits shown) {
    return parseThicknessUnits(fileUnits) ? std::string(unitsText(shown)) : std::string(fileUnits);
}

Survey surveyInUnits(Survey survey, ThicknessUnits shown) {
    const auto units = parseThicknessUnits(survey.units);
    if (!units || *units == shown) {
        return survey;
    }
    for (SurveyPoint& point : survey.points) {
        point.thickness = converted(point.thickness, *units, shown);
        point.lowAlarm = converted(point.lowAlarm, *units, shown);
    }
    survey.units = unitsText(shown);
    return survey;
}

ThicknessUnits initialUnits(const Survey& survey) {
    return parseThicknessUnits(survey.units).value_or(ThicknessUnits::Inches);
}

}  // namespace korvel
