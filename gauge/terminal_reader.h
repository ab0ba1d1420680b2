#pragma once
// The Terminal's reader: reads packets from the gauge one by one and hands each packet's text to
// a sink, until the stop flag is raised (or the operation is cancelled), a read gives nothing
// for its time-out or fails, a packet ends with the end marker, or more than kMaxReplyBytes
// have come. Only the new text is handed over, so a long reply costs its own size and
// no more; the sink keeps what it needs. Nothing is shared with the window thread but the atomic
// flags.

#include <atomic>
#include <string>
#include <string_view>
#include <thread>

#include "gauge/usb_link.h"

namespace korvel {

// How the last run of a reader ended.
enum class ReaderEnd {
    Silence,    // a read gave nothing for its time-out
    EndMarker,  // a packet ended with the end marker
    LinkLost,   // a read failed otherwise
    TooLong,    // more than kMaxReplyBytes came
    Stopped,    // the stop flag was raised or the operation cancelled
};

class TerminalReaderSink {
  public:
    virtual ~TerminalReaderSink() = default;
    // Called on the reader's thread after every packet with data: that packet's text.
    virtual void textReceived(std::string_view added) = 0;
    // Called on the reader's thread as its last act.
    virtual void readerEnded(bool endMarkerSeen) = 0;
};

// Keeps all the text a read gave, for a reader that runs on the calling thread.
class CollectingSink : public TerminalReaderSink {
  public:
    void textReceived(std::string_view added) override { text += added; }
    void readerEnded(bool) override {}
    std::string text;
};

class TerminalReader {
  public:
    explicit TerminalReader(CUsbLink& link) : link_(link) {}
    // Stops the reader and waits for its read to finish.
    ~TerminalReader();
    TerminalReader(const TerminalReader&) = delete;
    TerminalReader& operator=(const TerminalReader&) = delete;

    // Starts reading on a thread of its own with an empty collected text.
    void start(TerminalReaderSink& sink);
    // Reads on the calling thread until the reader would end.
    void readHere(TerminalReaderSink& sink);
    // Raises the stop flag and waits until the reader has left its read and ended.
    void stopAndWait();
    // Whether the last run ended at an end-marker packet (asked once: the answer is then
    // forgotten). Ask after stopAndWait.
    bool takeEndMarker() { return endMarker_.exchange(false); }
    // Whether the reader is still inside its loop.
    bool running() const { return running_.load(); }
    // How the last run ended; ask after stopAndWait.
    ReaderEnd lastEnd() const { return end_.load(); }

  private:
    // Waits for a reader still running and readies the flags for a new run.
    void prepare();
    void loop(TerminalReaderSink& sink);
    ReaderEnd readPackets(TerminalReaderSink& sink);

    CUsbLink& link_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> endMarker_{false};
    std::atomic<bool> running_{false};
    std::atomic<ReaderEnd> end_{ReaderEnd::Silence};
    std::thread thread_;
};

}  // namespace korvel
