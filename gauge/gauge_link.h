#pragma once
// What every page that talks to the gauge owns: its CUsbLink, its opened flag, and the steps
// that open the link on demand, drain stale packets, send a command (with one resend), collect
// a reply and release the link at the end of every operation.

#include <functional>
#include <string>
#include <string_view>

#include "gauge/usb_link.h"

namespace korvel {

// The most a reply may bring: far more than the largest file the data log can hold (5000
// readings or 160 A-scans make well under 2 MB), so only a gauge that never stops reaches it.
inline constexpr long long kMaxReplyBytes = 16LL * 1024 * 1024;

class GaugeLink {
  public:
    // Whether OpenGage drains stale packets after opening the link.
    enum class Drain { No, Yes };
    // Whether CloseGage resets the device before closing it.
    enum class Reset { No, Yes };

    explicit GaugeLink(UserVoice& voice, const TextTable& texts, UsbPort& port = currentUsbPort());
    // Closes the link (no reset) when this page still holds it.
    ~GaugeLink() { CloseGage(Reset::No); }
    GaugeLink(const GaugeLink&) = delete;
    GaugeLink& operator=(const GaugeLink&) = delete;

    // Whether the link is open, after finding and opening the gauge when it was not open yet
    // (and, with Drain::Yes, draining what the gauge still had queued). Shows only what Open
    // shows; the caller shows the link failure when this gives false.
    bool OpenGage(Drain drain = Drain::No);
    // When the flag is set: Reset (unless Reset::No), Close, clear the flag. Reset::No is for a
    // page that is left or destroyed while it holds the link.
    void CloseGage(Reset reset = Reset::Yes);
    // When the flag is set: reads and discards packets until a read gives 0 or less, or
    // kMaxReplyBytes have been discarded.
    void DrainGage();
    // Ends every gauge operation: Reset (whatever the flag says); then, when the flag is set,
    // Reset again, Close and clear the flag.
    void ReleaseGage();
    // OpenGage(Drain::Yes), showing the link-failure message as an error when it fails.
    bool openForOperation();
    // Shows the link-failure message in an error box.
    void showLinkFailure();

    // Writes the command's bytes (no terminator) to endpoint 2, waiting pauseAfterWriteMs after
    // each write. When that gives less than 1: beforeResend, CloseGage, 500 ms, OpenGage
    // (no drain) and, when open, the same bytes once more. Returns the last write's result.
    int SendCommand(std::string_view command, int pauseAfterWriteMs = 0,
                    const std::function<void()>& beforeResend = {});
    // A reply: its text and how it ended.
    struct Reply {
        std::string text;
        bool endMarkerSeen = false;
        bool linkLost = false;  // the last read failed rather than timing out
        bool tooLong = false;   // the reply went on past kMaxReplyBytes and was cut there
        // Nothing came at all: no text and no end marker.
        bool empty() const { return text.empty() && !endMarkerSeen; }
    };
    // Every packet as text (up to its first NUL) until a read gives -1, the operation is
    // cancelled or more than kMaxReplyBytes have come; packets whose last character is 0xFF
    // are end markers and add nothing. afterPacket runs after each read.
    Reply CollectReply(const std::function<void()>& afterPacket = {});

    // A pause on the port's clock that a cancel ends at its next slice; true when it passed.
    bool pause(int ms) { return pauseUnlessCancelled(clock(), voice(), ms); }
    // Whether the person cancelled the operation this link works for.
    bool cancelled() const { return voice().cancelRequested(); }

    Outcome outcome() const { return usb_.outcome(); }
    void noteOutcome(Outcome outcome) { usb_.noteOutcome(outcome); }

    bool opened() const { return opened_ != 0; }
    CUsbLink& usb() { return usb_; }
    Clock& clock() const { return usb_.clock(); }
    UserVoice& voice() const { return usb_.voice(); }
    const TextTable& texts() const { return usb_.texts(); }

  private:
    CUsbLink usb_;
    int opened_ = 0;
};

// True when the packet's last character before its NUL is 0xFF (an empty packet is none).
bool isEndMarker(const PacketBuffer& packet);

// The gauge's own words in a reply: without the end-marker bytes and line ends after them.
std::string gaugeAnswer(std::string reply);

// True for a reply in which the gauge refuses a command ("ERROR ...").
inline bool isRefusal(std::string_view reply) {
    return reply.rfind("ERROR", 0) == 0;
}

}  // namespace korvel
