#pragma once
// A data file's date ("%m/%d/%Y %I:%M %p") as minutes since 1 January 1970, for the time that
// passed between two surveys.

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

struct SurveyDate {
    long long minutes = 0;  // since 01/01/1970 12:00 AM, in the file's own local time
};

// "12/07/2026 09:05 PM"; a value that is not a valid date of that form gives none.
std::optional<SurveyDate> parseSurveyDate(std::string_view text);

// The calendar date of minutes since 1 January 1970, "YYYY-MM-DD".
std::string isoDateText(long long minutes);

inline constexpr double kMinutesPerYear = 365.25 * 24 * 60;

}  // namespace korvel
