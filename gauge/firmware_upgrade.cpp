#include "gauge/firmware_upgrade.h"

#include <algorithm>
#include <optional>

#include "app/platform.h"
#include "app/safe_file.h"
#include "app/text_format.h"
#include "gauge/gauge_reply.h"
#include "gauge/upgrade_wire.h"

namespace korvel {

namespace {

// The image of a file that exists, can be read and is not empty.
std::optional<std::string> readImage(const std::string& path) {
    if (path.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes || bytes->empty()) {
        return std::nullopt;
    }
    return bytes;
}

int sizeAsInt(std::size_t size) {
    return static_cast<int>(std::min<std::size_t>(size, 0x7FFFFFFF));
}

}  // namespace

struct FirmwareUpgrade::Download {
    std::string path;
    std::string image;
    std::size_t position = 0;
    long long written = 0;
    bool error = false;
    int result = 0;
};

int FirmwareUpgrade::run(const std::string& workingDirectory, const std::string& firmwarePath) {
    const int result = runSteps(workingDirectory, firmwarePath);
    // A finished upgrade is done, whatever a cancel asked after it could no longer be honoured.
    link_.noteOutcome(result == 0                       ? Outcome::Done
                      : link_.voice().cancelRequested() ? Outcome::Cancelled
                                                        : Outcome::GaugeRefused);
    return result;
}

int FirmwareUpgrade::runSteps(const std::string& workingDirectory,
                              const std::string& firmwarePath) {
    UserVoice& voice = link_.voice();
    if (!loadBootloader(joinPath(workingDirectory, kBootloaderFileName))) {
        return -1;
    }
    if (firmwarePath.empty()) {
        setStatusKey("IDS_STATUS_UPGRADECOMPLETE");
        voice.repaint();
        return 0;
    }
    setStatusKey("IDS_STATUS_BOOTLOADERCOMPLETE");
    voice.repaint();
    {
        WaitCursor wait(voice);
        if (!pauseUnlessCancelled(link_.clock(), voice, kBootloaderSettleMs)) {
            setStatusKey("IDS_STATUS_UPGRADECANCELLED");
            return -1;
        }
    }
    return downloadFirmware(firmwarePath);
}

bool FirmwareUpgrade::loadBootloader(const std::string& path) {
    const std::optional<std::string> image = readImage(path);
    if (!image) {
        link_.noteOutcome(Outcome::PcFileError);
        showError(link_.texts().message("IDS_ERR_SELECTBINFILE"));
        return false;
    }
    UserVoice& voice = link_.voice();
    bool loaded = false;
    {
        WaitCursor wait(voice);
        if (openBootDevice()) {
            loaded = streamBootloader(*image);
        }
        link_.Close();
    }
    voice.repaint();
    return loaded;
}

bool FirmwareUpgrade::openBootDevice() {
    UsbDevice* device = findBootDevice();
    // When opening fails the transport has said why.
    return device && link_.Open(device) == 0;
}

UsbDevice* FirmwareUpgrade::findBootDevice() {
    if (UsbDevice* device = link_.FindDevice(kBootVendorId, kBootProductId)) {
        return device;
    }
    const TextTable& texts = link_.texts();
    link_.noteOutcome(Outcome::LinkLost);
    showError(
        link_.FindDevice(kGaugeVendorId, kGaugeProductId)
            ? formatWithArgument(texts.message("IDS_ERR_UPGRADE_NORMALMODE"), texts.gaugeName(), 1)
            : link_.linkFailureMessage());
    return nullptr;
}

bool FirmwareUpgrade::streamBootloader(const std::string& image) {
    UserVoice& voice = link_.voice();
    const int size = sizeAsInt(image.size());
    voice.setProgressRange(0, size);
    long long written = 0;
    std::size_t readTotal = 0;
    while (readTotal < image.size()) {
        const std::size_t count = std::min<std::size_t>(kPacketSize, image.size() - readTotal);
        const int result =
            link_.Write(kImageEndpoint, image.data() + readTotal, static_cast<int>(count));
        readTotal += count;
        // A short write loses bytes of the image just as a failed one does.
        if (result != static_cast<int>(count)) {
            // A bootloader that has taken enough of its image may leave the bus to start.
            if (written >= kBootloaderTolerance) {
                return true;
            }
            link_.noteOutcome(Outcome::LinkLost);
            showError(link_.texts().message("IDS_STATUS_BOOTLOADERFAILED"));
            setStatusKey("IDS_STATUS_UPGRADEFAILED");
            return false;
        }
        written += result;
        voice.setStatus(formatWithArgument(link_.texts().message("IDS_STATUS_UPGRADE_SENT"),
                                           std::to_string(readTotal), 1));
        voice.setProgress(sizeAsInt(readTotal));
        voice.repaint();
        // The bootloader only runs from the gauge's memory: stopping here leaves the gauge in
        // its upgrade mode, ready to start again.
        if (voice.cancelRequested()) {
            setStatusKey("IDS_STATUS_UPGRADECANCELLED");
            return false;
        }
    }
    return true;
}

int FirmwareUpgrade::downloadFirmware(const std::string& path) {
    if (path.empty()) {
        return 0;
    }
    const TextTable& texts = link_.texts();
    UserVoice& voice = link_.voice();
    std::optional<std::string> image = readImage(path);
    if (!image) {
        link_.noteOutcome(Outcome::PcFileError);
        showError(texts.message("IDS_ERR_FILEOPEN") + " " + path);
        setStatusKey("IDS_STATUS_UPGRADEFAILED");
        return -1;
    }
    voice.setStatus(formatWithArgument(texts.message("IDS_STATUS_UPGRADE_DOWNLOADING"), path, 1));
    voice.repaint();
    WaitCursor wait(voice);
    voice.setProgress(0);
    UsbDevice* device = findBootDevice();
    if (!device) {
        setStatusKey("IDS_STATUS_UPGRADEFAILED");
        return -1;
    }
    if (link_.Open(device) != 0) {
        link_.noteOutcome(Outcome::LinkLost);
        setStatusKey("IDS_STATUS_UPGRADEFAILED");
        link_.Reset();
        link_.Close();
        return -1;
    }
    if (voice.cancelRequested()) {
        setStatusKey("IDS_STATUS_UPGRADECANCELLED");
        link_.Reset();
        link_.Close();
        return -1;
    }
    // From "init" on the gauge's firmware is being replaced: it must not be left half-written.
    voice.setCancellable(false);
    Download download{path, std::move(*image)};
    voice.setProgressRange(0, sizeAsInt(download.image.size() + 2));
    if (sendRequestedChunks(download)) {
        finishWithTerm(download);
    }
    if (download.error || download.written < static_cast<long long>(download.image.size())) {
        reportSummary(download);
        download.result = -1;
    }
    link_.Reset();
    link_.Close();
    voice.repaint();
    return download.result;
}

bool FirmwareUpgrade::sendRequestedChunks(Download& download) {
    UserVoice& voice = link_.voice();
    const TextTable& texts = link_.texts();
    const int initResult = link_.Write(kCommandEndpoint, kUpgradeInitCommand.data(),
                                       static_cast<int>(kUpgradeInitCommand.size()));
    link_.clock().sleepMs(kAfterInitPauseMs);
    download.error = initResult < 1;
    while (!download.error) {
        std::string request;
        if (!readRequest(request)) {
            link_.noteOutcome(Outcome::LinkLost);
            showError(texts.message("IDS_STATUS_GAGEERROR"));
            download.error = true;
            break;
        }
        const ReplyWords words = splitAtFirstBlank(request);
        if (words.word == kReplyErrorWord) {
            link_.noteOutcome(Outcome::GaugeRefused);
            showError(texts.message("IDS_STATUS_GAGERESPONSE") + " - " +
                      std::string(kUpgradeInitCommand) + "\n\n" + request);
            download.error = true;
            break;
        }
        const long long asked = words.word == kReplyOkWord ? leadingReplyNumber(words.rest) : 0;
        // A chunk holds at most one packet of data: a larger request is refused, not guessed at.
        if (asked <= 0 || asked > kMaxChunkData) {
            download.error = true;
            break;
        }
        const std::size_t wanted = static_cast<std::size_t>(asked);
        const std::string data = download.image.substr(download.position, wanted);
        download.position += data.size();
        const std::string chunk = withChecksum(data);
        const int length = static_cast<int>(chunk.size());
        if (link_.Write(kImageEndpoint, chunk.data(), length) != length) {
            link_.noteOutcome(Outcome::LinkLost);
            showError(texts.message("IDS_ERR_GAGESENDBUFF") + ", buff = " + hexBytes(data) +
                      ", length = " + std::to_string(length));
            download.error = true;
            break;
        }
        download.written += length;
        voice.setStatus(formatWithArgument(texts.message("IDS_STATUS_UPGRADE_SENT"),
                                           std::to_string(download.written), 1));
        // The sums make the total outgrow the bar's range; the bar then stays full.
        const long long barEnd = static_cast<long long>(download.image.size()) + 2;
        voice.setProgress(sizeAsInt(static_cast<std::size_t>(std::min(download.written, barEnd))));
        voice.repaint();
        if (data.size() < wanted) {
            return true;
        }
    }
    return false;
}

bool FirmwareUpgrade::readRequest(std::string& request) {
    for (int attempt = 0; attempt < kRequestReadAttempts; ++attempt) {
        PacketBuffer packet{};
        const int result = link_.Read(packet);
        if (result > 0) {
            request =
                textUpToNul(std::string_view(packet.data(), static_cast<std::size_t>(result)));
            return true;
        }
        link_.clock().sleepMs(kRequestRetryPauseMs);
    }
    return false;
}

void FirmwareUpgrade::finishWithTerm(Download& download) {
    const int sent = link_.Write(kCommandEndpoint, kUpgradeTermCommand.data(),
                                 static_cast<int>(kUpgradeTermCommand.size()));
    PacketBuffer packet{};
    const int result = sent < 1 ? -1 : link_.Read(packet);
    const std::string reply =
        result < 0 ? std::string()
                   : textUpToNul(std::string_view(packet.data(), static_cast<std::size_t>(result)));
    const ReplyWords words = splitAtFirstBlank(reply);
    if (words.word == kReplyOkWord || reply == kReplyOkWord) {
        setStatusKey("IDS_STATUS_UPGRADECOMPLETE");
        return;
    }
    // Without the gauge's "OK" nobody knows whether the new software is in place.
    const TextTable& texts = link_.texts();
    link_.noteOutcome(Outcome::GaugeRefused);
    showError((words.word == kReplyErrorWord ? texts.message("IDS_ERR_GAGE_TERMCOMMAND") + " "
                                             : texts.message("IDS_ERR_UPGRADE_NOTERM")) +
              (reply.empty() ? "" : "\n\n" + visibleGaugeText(reply)));
    setStatusKey("IDS_STATUS_UPGRADEFAILED");
    download.result = -1;
}

void FirmwareUpgrade::reportSummary(const Download& download) {
    const TextTable& texts = link_.texts();
    link_.noteOutcome(Outcome::GaugeRefused);
    showError(texts.message("IDS_ERR_FILEDOWNLOAD") + " " + download.path + ", \n" +
              texts.message("IDS_STATUS_TOTALSENTBYTES") + " = " +
              std::to_string(download.written));
    setStatusKey("IDS_STATUS_UPGRADEFAILED");
}

void FirmwareUpgrade::setStatusKey(std::string_view key) {
    link_.voice().setStatus(link_.texts().message(key));
}

void FirmwareUpgrade::showError(const std::string& text) {
    link_.voice().show(MessageKind::Error, text);
}

}  // namespace korvel
