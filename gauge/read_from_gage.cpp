#include "gauge/read_from_gage.h"

#include <algorithm>

#include "app/platform.h"
#include "app/safe_file.h"
#include "app/save_message.h"
#include "app/text_format.h"
#include "gauge/gauge_file_names.h"

namespace korvel {

namespace {

constexpr int kProgressEnd = 100000;
constexpr int kPauseAfterFileMs = 1000;

// What came back for one read command.
struct Received {
    std::string text;   // every packet up to its first NUL
    std::string bytes;  // every byte of every packet
    long long count = 0;
    bool linkLost = false;  // the reply ended on an error rather than on silence
};

// The gauge's own words, without the end-marker bytes and line ends around them.
std::string gaugeAnswer(std::string text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) == 0xFF ||
                             text.back() == '\r' || text.back() == '\n')) {
        text.pop_back();
    }
    return text;
}

class FileReader {
  public:
    FileReader(GaugeLink& link, const std::string& folder, const std::function<void()>& refresh)
        : link_(link),
          voice_(link.voice()),
          texts_(link.texts()),
          folder_(folder),
          refresh_(refresh) {}

    // True when the file was saved.
    bool read(const std::string& name) {
        voice_.setProgressRange(0, kProgressEnd);
        if (!isPlainFileName(name)) {
            showError("IDS_ERR_GAGE_UNSAFEFILENAME", name);
            return fail();
        }
        if (!link_.openForOperation()) {
            return false;
        }
        bool saved = false;
        if (link_.SendCommand("read /dev/datalog/" + readBaseName(name)) >= 1) {
            saved = saveReply(name, receive(isBinaryTransfer(name)));
        }
        link_.ReleaseGage();
        link_.clock().sleepMs(kPauseAfterFileMs);
        voice_.repaint();
        return saved;
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
            received.text += packet.data();
            if (binary) {
                received.bytes.append(packet.data(), static_cast<std::size_t>(size));
            }
            voice_.setProgress(static_cast<int>(std::min<long long>(received.count, kProgressEnd)));
            voice_.repaint();
        }
    }

    bool saveReply(const std::string& name, const Received& received) {
        if (received.linkLost) {
            showError("IDS_ERR_GAGE_LINKLOST", name);
            return fail();
        }
        if (received.text.empty() && received.count == 0) {
            return fail();
        }
        if (received.text.rfind("ERROR", 0) == 0) {
            voice_.show(MessageKind::Error,
                        formatWithArgument(texts_.message("IDS_ERR_GAGE_READREFUSED"), name, 1) +
                            "\n\n" + gaugeAnswer(received.text));
            return fail();
        }
        voice_.setProgress(kProgressEnd);
        setStatus("IDS_STATUS_GAGE_TRANSFERCOMPLETE");
        const std::string target = joinPath(folder_, name);
        if (!mayOverwrite(target, voice_, texts_)) {
            return false;
        }
        const bool binary = isBinaryTransfer(name);
        std::string reason;
        if (!writeFileSafely(target, binary ? received.bytes : pcTextFromGaugeReply(received.text),
                             &reason)) {
            voice_.show(MessageKind::Error,
                        formatWithArgument(texts_.message("IDS_ERR_GAGE_SAVEFILE"), target, 1) +
                            "\n\n" + reason);
            return fail();
        }
        voice_.setStatus(formatWithArgument(texts_.message("IDS_STATUS_GAGE_FILESAVED"), name, 1));
        voice_.repaint();
        if (refresh_) {
            refresh_();
        }
        return true;
    }

    bool fail() {
        voice_.setProgress(0);
        setStatus("IDS_STATUS_GAGE_TRANSFERFAILED");
        return false;
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
};

}  // namespace

int ReadFilesFromGage(GaugeLink& link, const std::vector<std::string>& names,
                      const std::string& pcDataFolder, const std::function<void()>& refreshPcList) {
    WaitCursor wait(link.voice());
    link.voice().setStatus("");
    if (names.empty()) {
        return 0;
    }
    FileReader reader(link, pcDataFolder, refreshPcList);
    int saved = 0;
    for (const std::string& name : names) {
        saved += reader.read(name) ? 1 : 0;
    }
    link.voice().setProgress(0);
    link.voice().repaint();
    return saved;
}

}  // namespace korvel
