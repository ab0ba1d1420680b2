#pragma once
// The Terminal's dealings with the gauge: it opens the link on demand without draining, writes
// a typed command to endpoint 2 as it stands (no resend), reads the raw reply on the reader's
// thread, and keeps the link open from the write until reading stops. A stop waits for the
// reader to leave its read before the link is released; after an end marker the gauge is reset
// before it is closed.

#include <string_view>

#include "gauge/terminal_reader.h"
#include "gauge/usb_link.h"

namespace korvel {

inline constexpr const char* kTerminalPresetCommand = "dir /dev/datalog";

class TerminalSession {
  public:
    explicit TerminalSession(UserVoice& voice, const TextTable& texts,
                             UsbPort& port = currentUsbPort());
    // Stops the reader and closes the link.
    ~TerminalSession();
    TerminalSession(const TerminalSession&) = delete;
    TerminalSession& operator=(const TerminalSession&) = delete;

    // The page became active: nothing held, nothing to reset.
    void activate();
    // Writes the command; the write's result (bytes written, 0 or -1), or 0 when the gauge could
    // not be reached. Failures have been shown.
    int writeCommand(std::string_view command);
    // How the last write ended.
    Outcome writeOutcome() const { return link_.outcome(); }
    // Starts the reader on its thread; false (after the link failure) without a gauge.
    bool startRead(TerminalReaderSink& sink);
    // Reads on the calling thread until the reply ends, then stops as the Stop button does.
    bool readToEnd(TerminalReaderSink& sink);
    // Stops the reader, waits for its read, and releases the link (reset first after an end
    // marker).
    void stopRead();
    // The page is left or destroyed: the same release.
    void leave() { stopRead(); }

    bool opened() const { return opened_ != 0; }
    // Whether the reader is still reading.
    bool reading() const { return reader_.running(); }
    // How the last read ended.
    ReaderEnd lastEnd() const { return reader_.lastEnd(); }

  private:
    // Finds and opens the gauge; shows the link failure when it cannot.
    bool openLink();

    CUsbLink link_;
    int opened_ = 0;
    bool resetNeeded_ = false;
    TerminalReader reader_;
};

}  // namespace korvel
