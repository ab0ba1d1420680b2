#pragma once
// Thicknesses shown in inches or in millimetres, whichever units the file holds them in. The
// data view, the survey map and the report convert what they show and print (25.4 mm to the
// inch); the file itself is never rewritten.

#include <optional>
#include <string>
#include <string_view>

#include "survey/survey_layout.h"

namespace korvel {

enum class ThicknessUnits { Inches, Millimetres };

inline constexpr double kMillimetresPerInch = 25.4;

// "IN" or "MM" in any case, blanks around allowed; none for any other text.
std::optional<ThicknessUnits> parseThicknessUnits(std::string_view text);

// "IN" or "MM", as the files write them.
std::string_view unitsText(ThicknessUnits units);

double convertThickness(double value, ThicknessUnits from, ThicknessUnits to);

// A thickness as the gauge writes it in those units: three decimals for inches (and for units
// it does not know), two for millimetres.
std::string thicknessText(double value, std::string_view units);

// A reading's thickness text in the units shown: a number of known other units converted, with
// three decimals for inches and two for millimetres as the gauge writes them; the same units,
// a hole or units that are neither inches nor millimetres give the text as it is.
std::string shownThicknessText(std::string_view text, std::string_view fileUnits,
                               ThicknessUnits shown);

// The units text shown for a reading of those units: the units shown when the reading's are
// known, else the reading's own text.
std::string shownUnitsText(std::string_view fileUnits, ThicknessUnits shown);

// The survey with its thicknesses and low alarms in the units shown; a survey whose units are
// neither inches nor millimetres stays as it is.
Survey surveyInUnits(Survey survey, ThicknessUnits shown);

// The units a survey is shown in at first: its own, else inches.
ThicknessUnits initialUnits(const Survey& survey);

}  // namespace korvel
