#pragma once
// Dates as data files and reports write them, spelled the same under every locale.

#include <ctime>
#include <string>
#include <string_view>

namespace korvel {

// "%m/%d/%Y %I:%M %p": 12/07/2026 09:05 PM.
std::string dataFileDateTime(const std::tm& time);

// The local time now.
std::tm localNow();

// The report form of a data file date: a value "MM/DD/YYYY" followed by a blank and the time
// gets its year cut to two digits (12/07/26 09:05 PM); any other value is kept unchanged.
std::string reportDateTime(std::string_view value);

}  // namespace korvel
