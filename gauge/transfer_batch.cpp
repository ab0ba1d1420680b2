#include "gauge/transfer_batch.h"

#include "app/save_message.h"
#include "app/text_format.h"
#include "gauge/batch_status.h"

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

std::string lostGaugeReason(GaugeLink& link, const std::string& why) {
    if (link.usb().FindDevice(kGaugeVendorId, kGaugeProductId) != nullptr) {
        return why;
    }
    return why + "\n\n" + link.texts().message("IDS_ERR_GAGE_DISCONNECTED");
}

std::string notTransferredReason(const GaugeLink& link, const std::string& why,
                                 const std::string& name) {
    return why + "\n\n" +
           formatWithArgument(link.texts().message("IDS_ERR_GAGE_NOTTRANSFERRED"), name, 1);
}

namespace {

// The batch's outcome is its first file's that was not done; a transfer notes why a file
// failed, and one that did not is counted as refused rather than as done.
void noteFileOutcome(GaugeLink& link, FileOutcome outcome) {
    switch (outcome) {
        case FileOutcome::LinkLost:
            link.noteOutcome(Outcome::LinkLost);
            break;
        case FileOutcome::Skipped:
            link.noteOutcome(Outcome::Declined);
            break;
        case FileOutcome::Failed:
        case FileOutcome::StopAll:
            link.noteOutcome(Outcome::GaugeRefused);
            break;
        case FileOutcome::Done:
        case FileOutcome::Cancelled:
            break;
    }
}

}  // namespace

int runTransferBatch(GaugeLink& link, const std::vector<std::string>& names,
                     const std::function<FileResult(const std::string&)>& transfer) {
    UserVoice& voice = link.voice();
    WaitCursor wait(voice);
    voice.setStatus("");
    std::vector<std::string> done, skipped, failed;
    std::string leftOver;
    for (auto name = names.begin(); name != names.end() && !link.cancelled(); ++name) {
        if (names.size() > 1) {
            voice.setStatus(batchFileStatus(
                link.texts(), static_cast<std::size_t>(name - names.begin()), names.size(), *name));
        }
        const FileResult result = transfer(*name);
        noteFileOutcome(link, result.outcome);
        if (result.outcome == FileOutcome::Done) {
            done.push_back(*name);
        } else if (result.outcome == FileOutcome::Skipped) {
            skipped.push_back(*name);
        } else if (result.outcome != FileOutcome::Cancelled) {
            failed.push_back(*name);
        }
        if (result.outcome == FileOutcome::Cancelled && !result.reason.empty()) {
            leftOver = " " + result.reason;
        }
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
        if (link.cancelled()) {
            voice.setStatus(cancelledBatchStatus(link.texts(), done, names.size()) + leftOver);
        } else if (names.size() > 1) {
            voice.setStatus(batchSummaryStatus(link.texts(), done, skipped, failed));
        }
        voice.repaint();
    }
    return static_cast<int>(done.size());
}

bool OverwriteAnswers::mayReplace(const std::string& name) {
    const bool replace = forAll_ ? *forAll_ : ask(name);
    if (!replace) {
        voice_.setProgress(0);
        voice_.setStatus(formatWithArgument(texts_.message("IDS_STATUS_GAGE_FILEKEPT"), name, 1));
    }
    return replace;
}

bool OverwriteAnswers::ask(const std::string& name) {
    const std::string text = overwriteQuestion(texts_, name);
    if (!several_) {
        return voice_.ask(text);
    }
    const BatchAnswer answer = voice_.askInBatch(
        {text, texts_.message("IDS_MSG_YESTOALL"), texts_.message("IDS_MSG_NOTOALL")});
    if (answer == BatchAnswer::YesToAll || answer == BatchAnswer::NoToAll) {
        forAll_ = answer == BatchAnswer::YesToAll;
    }
    return answer == BatchAnswer::Yes || answer == BatchAnswer::YesToAll;
}

void releaseAfterFile(GaugeLink& link, const FileResult& result, int pauseMs) {
    link.ReleaseGage();
    if (result.outcome != FileOutcome::LinkLost) {
        link.pause(pauseMs);
    }
}

}  // namespace korvel
