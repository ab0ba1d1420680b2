#include "gauge/write_to_gage.h"

#include <algorithm>

#include "app/name_check.h"
#include "app/platform.h"
#include "app/safe_file.h"
#include "gauge/debug_log.h"
#include "gauge/file_pieces.h"
#include "gauge/gauge_file_names.h"

namespace korvel {

namespace {

constexpr int kProgressEnd = 100000;
constexpr int kPauseAfterCommandMs = 2000;
constexpr int kAnswerAttempts = 3;
constexpr int kPauseAfterNoAnswerMs = 1000;
constexpr int kPauseAfterFileMs = 500;
constexpr std::size_t kMaxNameStem = 16;

enum class FileOutcome { Sent, Failed, StopAll };

class FileWriter {
  public:
    FileWriter(GaugeLink& link, const std::string& folder, DebugLog& log)
        : link_(link), voice_(link.voice()), texts_(link.texts()), folder_(folder), log_(log) {}

    FileOutcome write(const std::string& name) {
        if (!checkDataFileName(name, kMaxNameStem)) {
            showError(texts_.message("IDS_MSG_FILE_INVALIDFILENAME"));
            return FileOutcome::StopAll;
        }
        voice_.setProgressRange(0, kProgressEnd);
        const std::string path = joinPath(folder_, name);
        log_.line("Before opening file " + path);
        const auto bytes = readFileBytes(path);
        if (!bytes) {
            log_.line("Error opening file " + path);
            showError(texts_.message("IDS_ERR_FILEOPEN") + " " + path);
            return FileOutcome::StopAll;
        }
        bool sent = false;
        if (link_.openForOperation()) {
            sent = sendFile(writeBaseName(name), *bytes);
            link_.ReleaseGage();
            link_.clock().sleepMs(kPauseAfterFileMs);
        } else {
            log_.line("Error opening USB to Gage");
        }
        voice_.setProgress(kProgressEnd);
        voice_.setStatus(texts_.message("IDS_STATUS_GAGE_TRANSFERCOMPLETE"));
        voice_.repaint();
        return sent ? FileOutcome::Sent : FileOutcome::Failed;
    }

  private:
    bool sendFile(const std::string& baseName, const std::string& bytes) {
        log_.line("USB opened");
        const std::string command = "write /dev/datalog/" + baseName;
        int result = link_.SendCommand(command, kPauseAfterCommandMs, [&] {
            log_.line("Failure in sending command " + command + ", retry send...");
        });
        FilePieces pieces(bytes);
        long long sentCount = 0;
        while (!pieces.atEnd()) {
            if (result < 1) {
                return sendFailed();
            }
            log_.line("Success in sending command " + command);
            const auto answer = awaitAnswer();
            if (!answer) {
                log_.line("Error reading response for write command");
                showError(texts_.message("IDS_ERR_GAGE_WRITECOMMAND"));
                return false;
            }
            log_.line("Response from gage " + *answer);
            if (answer->rfind("ERROR", 0) == 0) {
                showError(*answer);
                log_.line("ERROR from gage...Exiting file transfer loop");
                return false;
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
        return result >= 0 || sendFailed();
    }

    bool sendFailed() {
        log_.line("Error sending command or line to Gage");
        showError(texts_.message("IDS_ERR_GAGE_SENDLINE"));
        return false;
    }

    // The gauge's answer to the last write: up to three reads, a pause after each empty one.
    std::optional<std::string> awaitAnswer() {
        for (int attempt = 0; attempt < kAnswerAttempts; ++attempt) {
            PacketBuffer packet{};
            if (link_.usb().Read(packet) > 0) {
                return std::string(packet.data());
            }
            link_.clock().sleepMs(kPauseAfterNoAnswerMs);
        }
        return std::nullopt;
    }

    void showError(const std::string& text) { voice_.show(MessageKind::Error, text); }

    GaugeLink& link_;
    UserVoice& voice_;
    const TextTable& texts_;
    const std::string& folder_;
    DebugLog& log_;
};

}  // namespace

std::string debugLogPathIn(const std::string& settingsFolder) {
    return joinPath(settingsFolder, "KorvelDebug.txt");
}

int WriteFilesToGage(GaugeLink& link, const std::vector<std::string>& names,
                     const GageWriteSetup& setup) {
    WaitCursor wait(link.voice());
    link.voice().setStatus("");
    if (names.empty()) {
        return 0;
    }
    DebugLog log;
    if (!setup.debugLogPath.empty()) {
        log.create(setup.debugLogPath);
    }
    FileWriter writer(link, setup.pcDataFolder, log);
    int sent = 0;
    for (const std::string& name : names) {
        const FileOutcome outcome = writer.write(name);
        if (outcome == FileOutcome::StopAll) {
            break;
        }
        sent += outcome == FileOutcome::Sent ? 1 : 0;
    }
    link.voice().setProgress(0);
    link.voice().repaint();
    return sent;
}

}  // namespace korvel
