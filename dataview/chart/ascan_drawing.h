#pragma once
// The waveform display of one reading: the envelope of its maximum and minimum traces coloured
// by its alarm state, the markers of its measuring mode and the blanking intervals of its scan
// settings, with the depth range of the trace as the bottom axis title.

#include <string>

#include "datafile/data_file.h"
#include "dataview/chart/chart_model.h"

namespace korvel {

// The texts after "KEY=" in the scan settings line; empty when missing. A later field with the
// same key wins.
struct ScanSettings {
    std::string delay;
    std::string range;
    std::string marker1;
    std::string marker2;
    std::string marker3;
    std::string mbBlank;
    std::string ifBlank;
    std::string c3Blank;
    std::string echoWindow;
};

// Empty settings for a reading without a maximum trace value.
ScanSettings scanSettingsOf(const AScan* ascan);

// The DELAY text, 75 blanks, then DELAY + RANGE with three decimals.
std::string aScanAxisTitle(const ScanSettings& settings);

struct AScanReading {
    const AScan* ascan = nullptr;  // null: no waveform
    std::string alarm;
    std::string measMode;  // the setup's measuring mode, or the reading's
};

void drawAScan(ChartModel& chart, const AScanReading& reading);

}  // namespace korvel
