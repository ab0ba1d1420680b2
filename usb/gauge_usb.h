#pragma once
// What the gauge shows on the USB bus, the one thing the program and the simulated gauge must
// agree on without sharing any code: the two identities, the endpoints and the packet size.

#include <cstdint>

namespace korvel {

// The gauge in its normal mode and in its upgrade (boot) mode.
constexpr std::uint16_t kGaugeVendorId = 0xFFFF;
constexpr std::uint16_t kGaugeProductId = 0x7A31;
constexpr std::uint16_t kBootVendorId = 0x0451;
constexpr std::uint16_t kBootProductId = 0x9001;

constexpr int kCommandEndpoint = 2;   // bulk OUT: commands and file pieces
constexpr int kImageEndpoint = 6;     // bulk OUT in boot mode: image data
constexpr int kReplyEndpoint = 0x82;  // bulk IN: replies
constexpr int kPacketSize = 64;       // the largest bulk packet either way

}  // namespace korvel
