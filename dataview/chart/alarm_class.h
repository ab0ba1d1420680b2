#pragma once
// The colour of a reading's alarm class, which colours its waveform and its part of the
// cross-section profile.

#include "datafile/alarm_text.h"
#include "dataview/chart/chart_model.h"

namespace korvel {

// Green, red or yellow; green for a text of no class.
ChartColour alarmColour(AlarmClass alarmClass);

}  // namespace korvel
