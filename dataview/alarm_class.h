#pragma once
// The alarm class of a reading's "Alarm" text, which colours its waveform and its part of the
// cross-section profile.

#include <string_view>

#include "dataview/chart_model.h"

namespace korvel {

enum class AlarmClass { None, Normal, Alarm, Warning };

// Normal: contains "OFF", or is empty or "-"; alarm: "HIGH" or "LOW"; warning: contains
// "WARNING". The text is taken without its surrounding blanks; a later rule wins.
AlarmClass alarmClassOf(std::string_view alarm);

// Green, red or yellow; green for a text of no class.
ChartColour alarmColour(AlarmClass alarmClass);

}  // namespace korvel
