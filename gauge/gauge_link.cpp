#include "gauge/gauge_link.h"

#include <cstring>
#include <new>

namespace korvel {

namespace {
constexpr int kResendPauseMs = 500;
}

GaugeLink::GaugeLink(UserVoice& voice, const TextTable& texts, UsbPort& port)
    : usb_(voice, texts, port) {}

bool GaugeLink::OpenGage(Drain drain) {
    if (opened_) {
        return true;
    }
    UsbDevice* device = usb_.FindDevice(kGaugeVendorId, kGaugeProductId);
    if (device && usb_.Open(device) == 0) {
        opened_ = 1;
        if (drain == Drain::Yes) {
            DrainGage();
        }
    }
    return opened_ != 0;
}

void GaugeLink::CloseGage(Reset reset) {
    if (opened_) {
        if (reset == Reset::Yes) {
            usb_.Reset();
        }
        usb_.Close();
        opened_ = 0;
    }
}

void GaugeLink::DrainGage() {
    if (!opened_) {
        return;
    }
    PacketBuffer packet{};
    long long discarded = 0;
    for (int size = usb_.Read(packet); size > 0 && discarded <= kMaxReplyBytes;
         size = usb_.Read(packet)) {
        discarded += size;
    }
}

void GaugeLink::ReleaseGage() {
    usb_.Reset();
    if (opened_) {
        usb_.Reset();
        usb_.Close();
        opened_ = 0;
    }
}

bool GaugeLink::openForOperation() {
    if (!OpenGage(Drain::Yes)) {
        showLinkFailure();
    }
    return opened_ != 0;
}

void GaugeLink::showLinkFailure() {
    noteOutcome(Outcome::LinkLost);
    voice().show(MessageKind::Error, usb_.linkFailureMessage());
}

int GaugeLink::SendCommand(std::string_view command, int pauseAfterWriteMs,
                           const std::function<void()>& beforeResend) {
    const auto write = [&] {
        const int result =
            usb_.Write(kCommandEndpoint, command.data(), static_cast<int>(command.size()));
        pause(pauseAfterWriteMs);
        return result;
    };
    int result = write();
    if (result >= 1) {
        return result;
    }
    if (beforeResend) {
        beforeResend();
    }
    CloseGage();
    if (pause(kResendPauseMs) && OpenGage()) {
        result = write();
    }
    return result;
}

GaugeLink::Reply GaugeLink::CollectReply(const std::function<void()>& afterPacket) {
    Reply reply;
    long long received = 0;
    for (;;) {
        PacketBuffer packet{};
        const int result = usb_.Read(packet);
        if (result < 0) {
            reply.linkLost = !usb_.lastReadTimedOut();
            return reply;
        }
        received += result;
        if (received > kMaxReplyBytes) {
            reply.tooLong = true;
            return reply;
        }
        if (isEndMarker(packet)) {
            reply.endMarkerSeen = true;
        } else {
            try {
                reply.text += packet.data();
            } catch (const std::bad_alloc& error) {
                // The packet is lost; the person is told, and collecting goes on.
                voice().show(MessageKind::Notice, error.what());
            }
        }
        if (afterPacket) {
            afterPacket();
        }
        if (cancelled()) {
            return reply;
        }
    }
}

bool isEndMarker(const PacketBuffer& packet) {
    const std::size_t length = std::strlen(packet.data());
    return length > 0 && static_cast<unsigned char>(packet[length - 1]) == 0xFF;
}

std::string gaugeAnswer(std::string reply) {
    while (!reply.empty() && (static_cast<unsigned char>(reply.back()) == 0xFF ||
                              reply.back() == '\r' || reply.back() == '\n')) {
        reply.pop_back();
    }
    return reply;
}

}  // namespace korvel
