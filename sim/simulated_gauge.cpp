#include "sim/simulated_gauge.h"

#include <cerrno>

#include "sim/data_log_names.h"
#include "sim/packets.h"
#include "usb/gauge_usb.h"

namespace korvel::sim {

namespace {
constexpr std::size_t kGarbageSize = 300;
}  // namespace

std::string gaugeNoise() {
    std::string bytes;
    unsigned state = 12345;
    for (std::size_t i = 0; i < kGarbageSize; ++i) {
        state = state * 1103515245u + 12345u;
        bytes += static_cast<char>(state >> 16);
    }
    return bytes;
}

std::deque<std::string> textReply(std::string_view text) {
    std::deque<std::string> packets;
    appendPackets(packets, text);
    packets.push_back(kEndMarkerPacket);
    return packets;
}

std::deque<std::string> shortAnswer(std::string_view text) {
    return {std::string(text.substr(0, kPacketBytes))};
}

SimulatedGauge::SimulatedGauge(std::string dataLogFolder) : dataLog_(std::move(dataLogFolder)) {
    addCommand("dir /dev/datalog", [this](const std::string& a) { return directory(a); });
    addCommand("read /dev/datalog/", [this](const std::string& a) { return readFile(a); });
    addCommand("write /dev/datalog/", [this](const std::string& a) { return writeFile(a); });
}

std::uint16_t SimulatedGauge::vendorId() const {
    return kGaugeVendorId;
}
std::uint16_t SimulatedGauge::productId() const {
    return kGaugeProductId;
}

void SimulatedGauge::addCommand(const std::string& prefix, CommandHandler handler) {
    handlers_[prefix] = std::move(handler);
}

int SimulatedGauge::receive(int endpoint, std::string_view bytes) {
    if (endpoint != kCommandEndpoint) {
        return -EPIPE;
    }
    if (upload_.active()) {
        if (bytes.empty()) {
            endUpload();
            answer(shortAnswer("OK"));
        } else {
            onPiece(bytes);
        }
    } else if (!bytes.empty()) {
        onCommand(std::string(bytes));
    }
    return static_cast<int>(bytes.size());
}

std::optional<std::string> SimulatedGauge::nextPacket(int endpoint) {
    if (endpoint != kReplyEndpoint || outgoing_.empty()) {
        return std::nullopt;
    }
    std::string packet = std::move(outgoing_.front());
    outgoing_.pop_front();
    return packet;
}

void SimulatedGauge::reset() {
    outgoing_.clear();
    endUpload();
}

void SimulatedGauge::closed() {
    endUpload();
}

void SimulatedGauge::queue(std::string packet) {
    outgoing_.push_back(std::move(packet));
}

void SimulatedGauge::onCommand(const std::string& line) {
    commands_.push_back(line);
    if (!faults_.errorReply.empty()) {
        const bool upload = line.rfind("write ", 0) == 0;
        answer(upload ? shortAnswer(faults_.errorReply) : textReply(faults_.errorReply));
        return;
    }
    if (faults_.garbage) {
        std::deque<std::string> packets;
        appendPackets(packets, gaugeNoise());
        answer(std::move(packets));
        return;
    }
    for (const auto& [prefix, handler] : handlers_) {
        if (line.rfind(prefix, 0) == 0) {
            answer(handler(line.substr(prefix.size())));
            return;
        }
    }
    answer(textReply("ERROR unknown command: " + line));
}

void SimulatedGauge::onPiece(std::string_view piece) {
    ++piecesReceived_;
    upload_.add(piece);
    if (piecesReceived_ == faults_.errorAtPiece) {
        endUpload();
        answer(shortAnswer("ERROR write failed"));
    } else if (faults_.silentFromPiece < 0 || piecesReceived_ < faults_.silentFromPiece) {
        answer(shortAnswer("OK"));
    }
}

void SimulatedGauge::answer(std::deque<std::string> packets) {
    if (faults_.silent) {
        return;
    }
    for (auto& packet : packets) {
        outgoing_.push_back(std::move(packet));
    }
}

void SimulatedGauge::endUpload() {
    upload_.finish();
}

std::deque<std::string> SimulatedGauge::directory(const std::string& argument) {
    if (!argument.empty()) {
        return textReply("ERROR no such folder: " + argument);
    }
    std::string text = dataLog_.listing();
    for (const std::string& line : faults_.extraListing) {
        text += line + "\r\n";
    }
    return textReply(text);
}

std::deque<std::string> SimulatedGauge::readFile(const std::string& argument) {
    const auto name = isDataLogName(argument) ? dataLog_.findByBaseName(argument) : std::nullopt;
    const auto bytes = name ? dataLog_.read(*name) : std::nullopt;
    if (!bytes) {
        return textReply("ERROR file not found: " + argument);
    }
    std::deque<std::string> packets;
    appendPackets(packets, *bytes);
    if (!sentAsBytes(*name)) {
        packets.push_back(kFileTrailerPacket);
    }
    return packets;
}

std::deque<std::string> SimulatedGauge::writeFile(const std::string& argument) {
    if (!isDataLogName(argument)) {
        return shortAnswer("ERROR invalid file name");
    }
    if (!upload_.begin(dataLog_.pathOf(argument + ".CSV"))) {
        return shortAnswer("ERROR cannot create file");
    }
    piecesReceived_ = 0;
    return shortAnswer("OK");
}

}  // namespace korvel::sim
