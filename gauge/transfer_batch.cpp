#include "gauge/transfer_batch.h"

#include "app/text_format.h"

namespace korvel {

namespace {

std::string batchStoppedMessage(const TextTable& texts, const std::string& reason,
                                std::vector<std::string>::const_iterator notTried,
                                std::vector<std::string>::const_iterator end) {
    std::string text = reason;
    if (notTried != end) {
        text += "\n\n" + texts.message("IDS_ERR_GAGE_NOTTRIED");
        for (; notTried != end; ++notTried) {
            text += "\n" + *notTried;
        }
    }
    return text;
}

}  // namespace

std::string notTransferredReason(const GaugeLink& link, const std::string& why,
                                 const std::string& name) {
    return why + "\n\n" +
           formatWithArgument(link.texts().message("IDS_ERR_GAGE_NOTTRANSFERRED"), name, 1);
}

int runTransferBatch(GaugeLink& link, const std::vector<std::string>& names,
                     const std::function<FileResult(const std::string&)>& transfer) {
    UserVoice& voice = link.voice();
    WaitCursor wait(voice);
    voice.setStatus("");
    int done = 0;
    for (auto name = names.begin(); name != names.end(); ++name) {
        const FileResult result = transfer(*name);
        done += result.outcome == FileOutcome::Done ? 1 : 0;
        if (result.outcome == FileOutcome::LinkLost) {
            voice.show(MessageKind::Error,
                       batchStoppedMessage(link.texts(), result.reason, name + 1, names.end()));
        }
        if (result.outcome == FileOutcome::LinkLost || result.outcome == FileOutcome::StopAll) {
            break;
        }
    }
    if (!names.empty()) {
        voice.setProgress(0);
        voice.repaint();
    }
    return done;
}

}  // namespace korvel
