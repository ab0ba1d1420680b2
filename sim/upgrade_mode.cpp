#include "sim/upgrade_mode.h"

#include <cerrno>
#include <filesystem>

#include "app/platform.h"
#include "app/safe_file.h"
#include "sim/boot_chunk.h"
#include "usb/gauge_usb.h"

namespace korvel::sim {

namespace {

// The boot loader's two commands around a firmware download.
constexpr std::string_view kInitCommand = "init";
constexpr std::string_view kTermCommand = "term";

}  // namespace

BootModeGauge::BootModeGauge(std::string imageFolder) : imageFolder_(std::move(imageFolder)) {}

std::uint16_t BootModeGauge::vendorId() const {
    return kBootVendorId;
}
std::uint16_t BootModeGauge::productId() const {
    return kBootProductId;
}

int BootModeGauge::receive(int endpoint, std::string_view bytes) {
    if (endpoint == kImageEndpoint) {
        return onImageBytes(bytes);
    }
    if (endpoint != kCommandEndpoint) {
        return -EPIPE;
    }
    if (!bytes.empty()) {
        onCommand(std::string(bytes));
    }
    return static_cast<int>(bytes.size());
}

std::optional<std::string> BootModeGauge::nextPacket(int endpoint) {
    if (endpoint != kReplyEndpoint || outgoing_.empty()) {
        return std::nullopt;
    }
    std::string packet = std::move(outgoing_.front());
    outgoing_.pop_front();
    return packet;
}

void BootModeGauge::reset() {
    outgoing_.clear();
}

void BootModeGauge::closed() {
    // Closing ends a bootloader stream; the next stream is a new image.
    if (!bootloader_.empty() && !bootloaderEnded_) {
        bootloaderEnded_ = true;
        keep("bootloader.bin", bootloader_);
    }
}

int BootModeGauge::onImageBytes(std::string_view bytes) {
    const bool refused =
        faults_.imageBytesAccepted >= 0 &&
        imageBytes_ + static_cast<long long>(bytes.size()) > faults_.imageBytesAccepted;
    if (refused) {
        return -EIO;
    }
    imageBytes_ += static_cast<long long>(bytes.size());
    if (downloading_) {
        if (static_cast<int>(chunks_.size()) + 1 == faults_.failingChunk) {
            return -EPIPE;
        }
        onChunk(bytes);
        return static_cast<int>(bytes.size());
    }
    if (bootloaderEnded_) {
        bootloader_.clear();
        bootloaderEnded_ = false;
    }
    bootloader_.append(bytes);
    return static_cast<int>(bytes.size());
}

void BootModeGauge::onCommand(const std::string& line) {
    commands_.push_back(line);
    if (line == kInitCommand) {
        downloading_ = true;
        chunkFailed_ = false;
        complete_ = false;
        firmware_.clear();
        chunks_.clear();
        if (!faults_.silentAfterInit) {
            request();
        }
    } else if (line == kTermCommand) {
        const bool good = downloading_ && !chunkFailed_;
        downloading_ = false;
        complete_ = good && faults_.termReply.empty();
        if (complete_) {
            keep("firmware.bin", firmware_);
        }
        if (!faults_.silentTerm) {
            outgoing_.push_back(!faults_.termReply.empty() ? faults_.termReply
                                : good                     ? "OK upgrade complete"
                                                           : "ERROR image incomplete");
        }
    } else {
        outgoing_.push_back("ERROR unknown command " + line.substr(0, 40));
    }
}

void BootModeGauge::onChunk(std::string_view chunk) {
    chunks_.emplace_back(chunk);
    if (chunkFailed_) {
        return;
    }
    const std::size_t asked = static_cast<std::size_t>(faults_.requestSize);
    if (chunk.size() < 2 || chunk.size() - 2 > asked) {
        chunkFailed_ = true;
        outgoing_.push_back("ERROR bad chunk length " + std::to_string(chunk.size()));
        return;
    }
    const std::string_view data = chunk.substr(0, chunk.size() - 2);
    if (!checksumMatches(chunk)) {
        chunkFailed_ = true;
        outgoing_.push_back("ERROR checksum mismatch in chunk " + std::to_string(chunks_.size()));
        return;
    }
    firmware_.append(data);
    // A chunk shorter than asked for is the last one.
    if (data.size() == asked) {
        request();
    }
}

void BootModeGauge::request() {
    outgoing_.push_back(faults_.requestText.empty() ? "OK " + std::to_string(faults_.requestSize)
                                                    : faults_.requestText);
}

void BootModeGauge::keep(const char* name, const std::string& image) const {
    if (imageFolder_.empty()) {
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(imageFolder_, ec);
    writeFileSafely(joinPath(imageFolder_, name), image);
}

}  // namespace korvel::sim
