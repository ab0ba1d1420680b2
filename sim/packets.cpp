#include "sim/packets.h"

#include <algorithm>

namespace korvel::sim {

void appendPackets(std::deque<std::string>& queue, std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size(); at += kSimPacketSize) {
        queue.emplace_back(bytes.substr(at, std::min(kSimPacketSize, bytes.size() - at)));
    }
}

}  // namespace korvel::sim
