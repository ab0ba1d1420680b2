#include "gauge/write_to_gauge.h"

#include <algorithm>

#include "app/name_check.h"
#include "app/platform.h"
#include "app/safe_file.h"
#include "app/text_format.h"
#include "app/text_rules.h"
#include "gauge/batch_status.h"
#include "gauge/debug_log.h"
#include "gauge/file_pieces.h"
#include "gauge/gauge_directory.h"
#include "gauge/gauge_file_names.h"
#include "gauge/transfer_batch.h"

namespace korvel {

namespace {

constexpr int kProgressEnd = 100000;
constexpr int kPauseAfterCommandMs = 2000;
constexpr int kAnswerAttempts = 3;
constexpr int kPauseAfterNoAnswerMs = 1000;
constexpr int kPauseAfterFileMs = 500;

// The voice of a listing the upload takes for itself: the batch's status line and progress
// bar stay as the batch sets them, messages are said only when `speaks`, and the person's
// cancel is heard.
class ListingVoice : public UserVoice {
  public:
    ListingVoice(UserVoice& inner, bool speaks) : inner_(inner), speaks_(speaks) {}
    void show(MessageKind kind, const std::string& text) override {
        if (speaks_) {
            inner_.show(kind, text);
        }
    }
    bool ask(const std::string&) override { return false; }
    void setStatus(const std::string&) override {}
    void setProgressRange(int, int) override {}
    void setProgress(int) override {}
    void setWaitCursor(bool) override {}
    bool cancelRequested() const override { return inner_.cancelRequested(); }

  private:
    UserVoice& inner_;
    bool speaks_;
};

std::optional<std::vector<FileListEntry>> listDataLog(GaugeLink& link, bool speaks) {
    ListingVoice voice(link.voice(), speaks);
    GaugeLink listing(voice, link.texts(), link.usb().port());
    auto listed = refreshGaugeFileList(listing);
    // A listing that failed ends the upload the same way.
    if (listing.outcome() != Outcome::Done) {
        link.noteOutcome(listing.outcome());
    }
    return listed;
}

// The data log's file that an upload of the PC file `name` would write.
std::string gaugeFileOf(const std::string& name) {
    return writeBaseName(name) + ".CSV";
}

class FileWriter {
  public:
    FileWriter(GaugeLink& link, const std::string& folder, DebugLog& log,
               const std::vector<std::string>& onGauge, bool several)
        : link_(link),
          voice_(link.voice()),
          texts_(link.texts()),
          folder_(folder),
          log_(log),
          onGauge_(onGauge),
          overwrite_(voice_, texts_, several) {}

    FileResult write(const std::string& name) {
        if (!checkDataFileName(name, kMaxDataFileStem)) {
            link_.noteOutcome(Outcome::PcFileError);
            showError(texts_.message("IDS_MSG_FILE_INVALIDFILENAME"));
            return finish({FileOutcome::StopAll, {}});
        }
        voice_.setProgressRange(0, kProgressEnd);
        const std::string path = joinPath(folder_, name);
        log_.line("Before opening file " + path);
        const auto bytes = readFileBytes(path);
        if (!bytes) {
            log_.line("Error opening file " + path);
            link_.noteOutcome(Outcome::PcFileError);
            showError(texts_.message("IDS_ERR_FILEOPEN") + " " + path);
            return finish({FileOutcome::StopAll, {}});
        }
        // Asked before the gauge is opened, so that it is not held while the person decides.
        const std::string target = gaugeFileOf(name);
        if (holdsFile(target) && !overwrite_.mayReplace(target)) {
            log_.line("Kept " + target + " on the Gage");
            return {FileOutcome::Skipped, {}};
        }
        if (!link_.OpenGage(GaugeLink::Drain::Yes)) {
            log_.line("Error opening USB to Gage");
            return finish(linkLost(link_.usb().linkFailureMessage(), name));
        }
        const FileResult result = sendFile(name, *bytes);
        releaseAfterFile(link_, result, kPauseAfterFileMs);
        return finish(result);
    }

  private:
    // The progress bar full and "Transfer complete" only for a file that went out whole.
    FileResult finish(FileResult result) {
        const bool done = result.outcome == FileOutcome::Done;
        voice_.setProgress(done ? kProgressEnd : 0);
        voice_.setStatus(texts_.message(done ? "IDS_STATUS_GAGE_TRANSFERCOMPLETE"
                                             : "IDS_STATUS_GAGE_TRANSFERFAILED"));
        voice_.repaint();
        return result;
    }

    FileResult sendFile(const std::string& name, const std::string& bytes) {
        log_.line("USB opened");
        const std::string command = "write /dev/datalog/" + writeBaseName(name);
        int result = link_.SendCommand(command, kPauseAfterCommandMs, [&] {
            log_.line("Failure in sending command " + command + ", retry send...");
        });
        FilePieces pieces(bytes);
        long long sentCount = 0;
        while (!pieces.atEnd()) {
            if (link_.cancelled()) {
                return cancelled(name);
            }
            if (result < 1) {
                return sendFailed(name);
            }
            log_.line("Success in sending command " + command);
            const auto answer = awaitAnswer();
            if (!answer && link_.cancelled()) {
                return cancelled(name);
            }
            if (!answer) {
                log_.line("Error reading response for write command");
                return noAnswer(name);
            }
            log_.line("Response from gage " + *answer);
            if (isRefusal(*answer)) {
                link_.noteOutcome(Outcome::GaugeRefused);
                showError(*answer);
                log_.line("ERROR from gage...Exiting file transfer loop");
                return {FileOutcome::Failed, {}};
            }
            const std::string_view piece = pieces.next();
            log_.line("Sending line --> " + std::string(piece));
            result =
                link_.usb().Write(kCommandEndpoint, piece.data(), static_cast<int>(piece.size()));
            sentCount += result;
            log_.line("sentbytes = " + std::to_string(result));
            voice_.setProgress(static_cast<int>(std::clamp<long long>(sentCount, 0, kProgressEnd)));
            voice_.repaint();
        }
        // The last piece's answer is not awaited, but its write must have gone out.
        return result >= 0 ? FileResult{} : sendFailed(name);
    }

    // A write the gauge did not take: the link is gone, and so is the rest of the batch.
    FileResult sendFailed(const std::string& name) {
        log_.line("Error sending command or line to Gage");
        return linkLost(lostGaugeReason(link_, texts_.message("IDS_ERR_GAGE_SENDLINE")), name);
    }

    // Silence stops only this file; a read that failed outright means the link is gone.
    FileResult noAnswer(const std::string& name) {
        const std::string why = texts_.message("IDS_ERR_GAGE_WRITECOMMAND");
        if (!link_.usb().lastReadTimedOut()) {
            return linkLost(lostGaugeReason(link_, why), name);
        }
        link_.noteOutcome(Outcome::LinkLost);
        showError(why);
        return {FileOutcome::Failed, {}};
    }

    // The gauge holds part of the file: the batch's status says so.
    FileResult cancelled(const std::string& name) {
        log_.line("Cancelled");
        return {FileOutcome::Cancelled,
                formatWithArgument(texts_.message("IDS_STATUS_GAGE_FILENOTCOMPLETE"), name, 1)};
    }

    FileResult linkLost(const std::string& why, const std::string& name) const {
        return {FileOutcome::LinkLost, notTransferredReason(link_, why, name)};
    }

    // The gauge's answer to the last write: up to three reads, a pause after each empty one.
    std::optional<std::string> awaitAnswer() {
        for (int attempt = 0; attempt < kAnswerAttempts; ++attempt) {
            PacketBuffer packet{};
            if (link_.usb().Read(packet) > 0) {
                return std::string(packet.data());
            }
            if (!link_.pause(kPauseAfterNoAnswerMs)) {
                break;
            }
        }
        return std::nullopt;
    }

    void showError(const std::string& text) { voice_.show(MessageKind::Error, text); }

    bool holdsFile(const std::string& target) const {
        return std::any_of(onGauge_.begin(), onGauge_.end(),
                           [&](const std::string& listed) { return equalsNoCase(listed, target); });
    }

    GaugeLink& link_;
    UserVoice& voice_;
    const TextTable& texts_;
    const std::string& folder_;
    DebugLog& log_;
    const std::vector<std::string>& onGauge_;
    OverwriteAnswers overwrite_;
};

}  // namespace

std::string debugLogPathIn(const std::string& settingsFolder) {
    return joinPath(settingsFolder, "KorvelDebug.txt");
}

std::vector<std::string> namesOf(const std::vector<FileListEntry>& entries) {
    std::vector<std::string> names;
    for (const FileListEntry& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

int writeFilesToGauge(GaugeLink& link, const std::vector<std::string>& names,
                      const GaugeWriteSetup& setup) {
    if (names.empty()) {
        return 0;
    }
    std::optional<std::vector<std::string>> onGauge = setup.gaugeFiles;
    if (!onGauge) {
        // Without the data log's names no file could be asked about: nothing goes out.
        link.voice().setStatus("");
        const auto listed = listDataLog(link, true);
        if (!listed) {
            link.voice().setStatus(link.cancelled()
                                       ? cancelledBatchStatus(link.texts(), {}, names.size())
                                       : link.texts().message("IDS_STATUS_GAGE_UPLOADNOLIST"));
            return 0;
        }
        onGauge = namesOf(*listed);
    }
    DebugLog log;
    if (!setup.debugLogPath.empty()) {
        log.create(setup.debugLogPath);
    }
    FileWriter writer(link, setup.pcDataFolder, log, *onGauge, names.size() > 1);
    return runTransferBatch(link, names,
                            [&](const std::string& name) { return writer.write(name); });
}

std::optional<std::vector<FileListEntry>> relistAfterUpload(GaugeLink& link) {
    if (link.cancelled()) {
        return std::nullopt;
    }
    return listDataLog(link, false);
}

}  // namespace korvel
