#pragma once
// The loop both transfer buttons run over their selected files: the wait cursor, a cleared
// status line, one transfer per file, and the progress bar back at 0 at the end. A file whose
// transfer lost the link ends the batch with one message: what went wrong with that file and
// which files were not tried, rather than one identical failure per remaining file.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gauge/gauge_link.h"

namespace korvel {

enum class FileOutcome {
    Done,       // the file went across completely
    Failed,     // this file failed; the next is tried
    LinkLost,   // the gauge cannot be reached any more; the batch ends
    StopAll,    // the batch ends after this file, its own message shown
    Cancelled,  // the person cancelled during this file; the batch ends
    Skipped,    // the person kept the file the transfer would have replaced
};

struct FileResult {
    FileOutcome outcome = FileOutcome::Done;
    // With LinkLost: what went wrong with this file, naming it. With Cancelled: what the gauge
    // was left with, for the status line (may be empty).
    std::string reason;
};

// Runs the transfer for each name in order ("file 2 of 4: NAME" in the status for a batch);
// returns the number of files done. A batch of several files ends with a status that counts
// and names the files saved, skipped and failed; a cancel ends it with one that names the
// files done.
int runTransferBatch(GaugeLink& link, const std::vector<std::string>& names,
                     const std::function<FileResult(const std::string&)>& transfer);

// The overwrite questions of one batch, in either direction: a file is replaced only after Yes.
// A batch of several files offers Yes to All and No to All, which then answer its later
// questions.
class OverwriteAnswers {
  public:
    OverwriteAnswers(UserVoice& voice, const TextTable& texts, bool several)
        : voice_(voice), texts_(texts), several_(several) {}
    // Whether the file `name` may be replaced. A file kept says so in the status line, with the
    // progress bar back at 0; its transfer is then Skipped.
    bool mayReplace(const std::string& name);

  private:
    bool ask(const std::string& name);

    UserVoice& voice_;
    const TextTable& texts_;
    bool several_;
    std::optional<bool> forAll_;
};

// Lets the gauge go after a file and gives it the pause it needs before the next command;
// a gauge that was lost gets none, so the batch says so at once.
void releaseAfterFile(GaugeLink& link, const FileResult& result, int pauseMs);

// The words for a link that failed after the gauge had been opened, and, when the gauge is no
// longer on the bus, that it was disconnected and what to check.
std::string lostGaugeReason(GaugeLink& link, const std::string& why);

// The reason for a file whose transfer found or left the link unusable: the transport's own
// words, then that the file was not transferred.
std::string notTransferredReason(const GaugeLink& link, const std::string& why,
                                 const std::string& name);

}  // namespace korvel
