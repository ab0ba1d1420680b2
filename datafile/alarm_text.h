#pragma once
// The alarm class of a reading's "Alarm" text, as the gauge writes it: "OFF", "LOW", "HIGH",
// "LOW WARNING", "HIGH WARNING".

#include <string_view>

namespace korvel {

enum class AlarmClass { None, Normal, Alarm, Warning };

// Normal: contains "OFF", or is empty or "-"; alarm: "HIGH" or "LOW"; warning: contains
// "WARNING". The text is taken without its surrounding blanks; a later rule wins.
AlarmClass alarmClassOf(std::string_view alarm);

// The class split by side: a low alarm ("LOW"), a low warning (a warning that begins with
// "LOW"), a high alarm ("HIGH"), a high warning (any other warning), or none of them.
enum class AlarmLevel { None, LowAlarm, LowWarning, HighAlarm, HighWarning };

AlarmLevel alarmLevelOf(std::string_view alarm);

}  // namespace korvel
