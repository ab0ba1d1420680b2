#include "datafile/date_text.h"

#include "app/platform.h"
#include "datafile/number_text.h"

namespace korvel {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isFourDigitYearDate(std::string_view value) {
    constexpr std::string_view kPattern = "99/99/9999 ";
    if (value.size() <= kPattern.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kPattern.size(); ++i) {
        const bool matches = kPattern[i] == '9' ? isDigit(value[i]) : value[i] == kPattern[i];
        if (!matches) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string dataFileDateTime(const std::tm& time) {
    const int hour12 = time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12;
    return zeroPadded(time.tm_mon + 1, 2) + "/" + zeroPadded(time.tm_mday, 2) + "/" +
           zeroPadded(time.tm_year + 1900, 4) + " " + zeroPadded(hour12, 2) + ":" +
           zeroPadded(time.tm_min, 2) + (time.tm_hour < 12 ? " AM" : " PM");
}

std::tm localNow() {
    return localTime(std::time(nullptr));
}

std::string reportDateTime(std::string_view value) {
    if (!isFourDigitYearDate(value)) {
        return std::string(value);
    }
    return std::string(value.substr(0, 6)) + std::string(value.substr(8, 2)) + " " +
           std::string(value.substr(11));
}

}  // namespace korvel
