#include "survey/survey_date.h"

#include <cstdio>

#include "app/text_rules.h"

namespace korvel {

namespace {

// Days from 1 January 1970 to the date of the proleptic Gregorian calendar.
long long daysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<long long>(era) * 146097 + dayOfEra - 719468;
}

// The inverse of daysFromCivil: year, month and day of days since 1 January 1970.
struct CivilDate {
    long long year;
    int month;
    int day;
};

CivilDate civilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool leapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[month - 1];
}

// The digits at [from, from + count) as a number, or -1 when one is not a digit.
int digitsAt(std::string_view text, std::size_t from, std::size_t count) {
    int value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

}  // namespace

std::optional<SurveyDate> parseSurveyDate(std::string_view text) {
    text = trimmed(text);
    // MM/DD/YYYY HH:MM AM
    if (text.size() != 19 || text[2] != '/' || text[5] != '/' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ' ') {
        return std::nullopt;
    }
    const int month = digitsAt(text, 0, 2);
    const int day = digitsAt(text, 3, 2);
    const int year = digitsAt(text, 6, 4);
    const int hour = digitsAt(text, 11, 2);
    const int minute = digitsAt(text, 14, 2);
    const std::string meridiem = asciiUpper(text.substr(17));
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour < 1 ||
        hour > 12 || minute < 0 || minute > 59 || (meridiem != "AM" && meridiem != "PM")) {
        return std::nullopt;
    }
    const int hour24 = hour % 12 + (meridiem == "PM" ? 12 : 0);
    return SurveyDate{(daysFromCivil(year, month, day) * 24 + hour24) * 60 + minute};
}

std::string isoDateText(long long minutes) {
    const long long kMinutesPerDay = 24 * 60;
    const long long days = (minutes >= 0 ? minutes : minutes - kMinutesPerDay + 1) / kMinutesPerDay;
    const CivilDate date = civilFromDays(days);
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02d", date.year, date.month, date.day);
    return text;
}

}  // namespace korvel
