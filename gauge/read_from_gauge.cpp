#include "gauge/read_from_gauge.h"

#include <algorithm>

#include "app/platform.h"
#include "app/safe_file.h"
#include "app/save_message.h"
#include "app/text_format.h"
#include "gauge/gauge_file_names.h"
#include "gauge/gauge_reply.h"
#include "gauge/transfer_batch.h"

namespace korvel {

namespace {

constexpr int kProgressEnd = 100000;
constexpr int kPauseAfterFileMs = 1000;

// What came back for one read command.
struct Received {
    std::string text;   // every packet up to its first NUL
    std::string bytes;  // every byte of every packet
    long long count = 0;
    bool linkLost = false;   // the reply ended on an error rather than on silence
    bool cancelled = false;  // the person cancelled before the reply ended
    bool tooLong = false;    // the reply went on past kMaxReplyBytes and was cut there
};

class FileReader {
  public:
    FileReader(GaugeLink& link, const std::string& folder, const std::function<void()>& refresh,
               bool several)
        : link_(link),
          voice_(link.voice()),
          texts_(link.texts()),
          folder_(folder),
          refresh_(refresh),
          overwrite_(voice_, texts_, several) {}

    FileResult read(const std::string& name) {
        voice_.setProgressRange(0, kProgressEnd);
        if (!isPlainFileName(name)) {
            showError("IDS_ERR_GAGE_UNSAFEFILENAME", visibleGaugeText(name));
            return fail(Outcome::PcFileError);
        }
        if (!link_.OpenGage(GaugeLink::Drain::Yes)) {
            return fail(Outcome::LinkLost, FileOutcome::LinkLost,
                        notTransferredReason(link_, link_.usb().linkFailureMessage(), name));
        }
        FileResult result;
        const std::string command = "read /dev/datalog/" + readBaseName(name);
        if (link_.SendCommand(command) >= 1) {
            const Received received = receive(isBinaryTransfer(name));
            // A cancelled file is not saved: what came is only part of it.
            result = received.cancelled ? FileResult{FileOutcome::Cancelled, {}}
                                        : saveReply(name, command, received);
        } else {
            result = fail(
                Outcome::LinkLost, FileOutcome::LinkLost,
                notTransferredReason(
                    link_, lostGaugeReason(link_, texts_.message("IDS_ERR_GAGE_SENDLINE")), name));
        }
        releaseAfterFile(link_, result, kPauseAfterFileMs);
        voice_.repaint();
        return result;
    }

  private:
    Received receive(bool binary) {
        Received received;
        for (;;) {
            PacketBuffer packet{};
            const int size = link_.usb().Read(packet);
            if (size < 0) {
                received.linkLost = !link_.usb().lastReadTimedOut();
                return received;
            }
            received.count += size;
            if (received.count > kMaxReplyBytes) {
                received.tooLong = true;
                return received;
            }
            received.text += packet.data();
            if (binary) {
                received.bytes.append(packet.data(), static_cast<std::size_t>(size));
            }
            voice_.setProgress(static_cast<int>(std::min<long long>(received.count, kProgressEnd)));
            voice_.repaint();
            if (link_.cancelled()) {
                received.cancelled = true;
                return received;
            }
        }
    }

    FileResult saveReply(const std::string& name, const std::string& command,
                         const Received& received) {
        if (received.tooLong) {
            showReplyTooLong(voice_, texts_, command);
            return fail(Outcome::GaugeRefused);
        }
        if (received.linkLost) {
            return fail(
                Outcome::LinkLost, FileOutcome::LinkLost,
                lostGaugeReason(
                    link_, formatWithArgument(texts_.message("IDS_ERR_GAGE_LINKLOST"), name, 1)));
        }
        if (received.text.empty() && received.count == 0) {
            showError("IDS_ERR_GAGE_NOANSWER", command);
            return fail(Outcome::LinkLost);
        }
        if (isRefusal(received.text)) {
            voice_.show(MessageKind::Error,
                        formatWithArgument(texts_.message("IDS_ERR_GAGE_READREFUSED"), name, 1) +
                            "\n\n" + visibleGaugeText(gaugeAnswer(received.text)));
            return fail(Outcome::GaugeRefused);
        }
        // Whatever else came in answer to a data file must be one, or the PC's copy stays.
        if (isDataFileName(name) && !readsAsDataFile(pcTextFromGaugeReply(received.text))) {
            showError("IDS_ERR_GAGE_NOTDATAFILE", name);
            return fail(Outcome::GaugeRefused);
        }
        // "Transfer complete" only once the question, if any, has been answered.
        const std::string target = joinPath(folder_, name);
        if (fileSize(target) > 0 && !overwrite_.mayReplace(name)) {
            return {FileOutcome::Skipped, {}};
        }
        voice_.setProgress(kProgressEnd);
        setStatus("IDS_STATUS_GAGE_TRANSFERCOMPLETE");
        const bool binary = isBinaryTransfer(name);
        std::string reason;
        if (!writeFileSafely(target, binary ? received.bytes : pcTextFromGaugeReply(received.text),
                             &reason)) {
            voice_.show(MessageKind::Error,
                        formatWithArgument(texts_.message("IDS_ERR_GAGE_SAVEFILE"), target, 1) +
                            "\n\n" + reason);
            return fail(Outcome::PcFileError);
        }
        voice_.setStatus(formatWithArgument(texts_.message("IDS_STATUS_GAGE_FILESAVED"), name, 1));
        voice_.repaint();
        if (refresh_) {
            refresh_();
        }
        return {};
    }

    FileResult fail(Outcome why, FileOutcome outcome = FileOutcome::Failed,
                    std::string reason = {}) {
        link_.noteOutcome(why);
        voice_.setProgress(0);
        setStatus("IDS_STATUS_GAGE_TRANSFERFAILED");
        return {outcome, std::move(reason)};
    }

    void setStatus(const char* key) {
        voice_.setStatus(texts_.message(key));
        voice_.repaint();
    }

    void showError(const char* key, const std::string& argument) {
        voice_.show(MessageKind::Error, formatWithArgument(texts_.message(key), argument, 1));
    }

    GaugeLink& link_;
    UserVoice& voice_;
    const TextTable& texts_;
    const std::string& folder_;
    const std::function<void()>& refresh_;
    OverwriteAnswers overwrite_;
};

}  // namespace

int readFilesFromGauge(GaugeLink& link, const std::vector<std::string>& names,
                       const std::string& pcDataFolder,
                       const std::function<void()>& refreshPcList) {
    FileReader reader(link, pcDataFolder, refreshPcList, names.size() > 1);
    return runTransferBatch(link, names,
                            [&](const std::string& name) { return reader.read(name); });
}

}  // namespace korvel
