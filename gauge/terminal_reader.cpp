#include "gauge/terminal_reader.h"

#include "gauge/gauge_link.h"
#include "gauge/upgrade_wire.h"

namespace korvel {

TerminalReader::~TerminalReader() {
    stopAndWait();
}

void TerminalReader::start(TerminalReaderSink& sink) {
    prepare();
    thread_ = std::thread([this, &sink] { loop(sink); });
}

void TerminalReader::readHere(TerminalReaderSink& sink) {
    prepare();
    loop(sink);
}

void TerminalReader::prepare() {
    stopAndWait();
    stop_.store(false);
    endMarker_.store(false);
    running_.store(true);
}

void TerminalReader::stopAndWait() {
    stop_.store(true);
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TerminalReader::loop(TerminalReaderSink& sink) {
    end_.store(readPackets(sink));
    sink.readerEnded(endMarker_.load());
    running_.store(false);
}

ReaderEnd TerminalReader::readPackets(TerminalReaderSink& sink) {
    long long received = 0;
    while (!stop_.load() && !link_.voice().cancelRequested()) {
        PacketBuffer packet{};
        const int result = link_.Read(packet);
        if (result < 0) {
            return link_.lastReadTimedOut() ? ReaderEnd::Silence : ReaderEnd::LinkLost;
        }
        received += result;
        if (received > kMaxReplyBytes) {
            return ReaderEnd::TooLong;
        }
        if (result == 0) {
            continue;
        }
        sink.textReceived(
            textUpToNul(std::string_view(packet.data(), static_cast<std::size_t>(result))));
        if (isEndMarker(packet)) {
            endMarker_.store(true);
            return ReaderEnd::EndMarker;
        }
    }
    return ReaderEnd::Stopped;
}

}  // namespace korvel
