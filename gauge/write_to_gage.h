#pragma once
// The transfer-to-gauge button: copies data files of the PC data folder to the gauge.

#include <string>
#include <vector>

#include "gauge/gauge_link.h"

namespace korvel {

struct GageWriteSetup {
    std::string pcDataFolder;
    // When set, the upload is logged step by step into this file (created anew).
    std::string debugLogPath;
};

// Where the upload log goes: "KorvelDebug.txt" in the settings folder.
std::string debugLogPathIn(const std::string& settingsFolder);

// Sends each named file of the folder to the gauge's data log, one exchange per file, each
// piece only after the gauge answered the previous one. An invalid name or a file that cannot
// be read stops the whole run, and so does a lost link (one message names the file and those
// not tried). Each file ends with "Transfer complete" or, when it did not go out whole, the
// failure status and an empty progress bar. A cancel stops before the next piece: the gauge
// is released and the status names the files sent and the one left incomplete. Returns the
// number of files sent completely.
int WriteFilesToGage(GaugeLink& link, const std::vector<std::string>& names,
                     const GageWriteSetup& setup);

}  // namespace korvel
