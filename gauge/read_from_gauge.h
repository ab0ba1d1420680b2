#pragma once
// The transfer-from-gauge button: copies gauge files into the PC data folder.

#include <functional>
#include <string>
#include <vector>

#include "gauge/gauge_link.h"

namespace korvel {

// Reads each named gauge file (as the gauge listed it) into the folder, one exchange per file
// with a 1000 ms pause after it, reporting through the link's voice. refreshPcList runs after
// every saved file. A lost link ends the run with one message naming the file and those not
// tried. Returns the number of files saved.
int readFilesFromGauge(GaugeLink& link, const std::vector<std::string>& names,
                       const std::string& pcDataFolder, const std::function<void()>& refreshPcList);

}  // namespace korvel
