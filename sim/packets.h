#pragma once
// How the gauge cuts what it sends into USB packets.

#include <deque>
#include <string>
#include <string_view>

#include "usb/gauge_usb.h"

namespace korvel::sim {

constexpr auto kPacketBytes = static_cast<std::size_t>(kPacketSize);
// A packet whose last byte is 0xFF marks the end of a reply.
inline const std::string kEndMarkerPacket = "\xFF";
// What follows a text file read from the data log.
inline const std::string kFileTrailerPacket = "\xFF\xFF";

// The bytes in packets of 64 (the last one shorter), appended to the queue.
void appendPackets(std::deque<std::string>& queue, std::string_view bytes);

}  // namespace korvel::sim
