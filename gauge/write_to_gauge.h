#pragma once
// The transfer-to-gauge button: copies data files of the PC data folder to the gauge.

#include <optional>
#include <string>
#include <vector>

#include "gauge/file_list_entry.h"
#include "gauge/gauge_link.h"

namespace korvel {

struct GaugeWriteSetup {
    std::string pcDataFolder;
    // When set, the upload is logged step by step into this file (created anew).
    std::string debugLogPath;
    // The names of the gauge's data log as last listed; without them the batch lists the data
    // log first.
    std::optional<std::vector<std::string>> gaugeFiles;
};

// Where the upload log goes: "KorvelDebug.txt" in the settings folder.
std::string debugLogPathIn(const std::string& settingsFolder);

// Sends each named file of the folder to the gauge's data log, one exchange per file, each
// piece only after the gauge answered the previous one. A file the data log already holds is
// replaced only after the overwrite question (the batch's Yes to All and No to All); one kept
// counts as skipped. The data log is listed first when setup.gaugeFiles is not given; when that
// listing fails, nothing is sent. An invalid name or a file that cannot be read stops the whole
// run, and so does a lost link (one message names the file and those not tried). Each file ends
// with "Transfer complete" or, when it did not go out whole, the failure status and an empty
// progress bar. A cancel stops before the next piece: the gauge is released and the status
// names the files sent and the one left incomplete. Returns the number of files sent
// completely.
int writeFilesToGauge(GaugeLink& link, const std::vector<std::string>& names,
                      const GaugeWriteSetup& setup);

// The data log listed again after an upload, for the gauge list, without a word to the person:
// the batch's end status stays. Nothing after a cancel or when the listing fails.
std::optional<std::vector<FileListEntry>> relistAfterUpload(GaugeLink& link);

// The names of a listing's entries.
std::vector<std::string> namesOf(const std::vector<FileListEntry>& entries);

}  // namespace korvel
