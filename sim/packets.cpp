#include "sim/packets.h"

#include <algorithm>

namespace korvel::sim {

void appendPackets(std::deque<std::string>& queue, std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size(); at += kPacketBytes) {
        queue.emplace_back(bytes.substr(at, std::min(kPacketBytes, bytes.size() - at)));
    }
}

}  // namespace korvel::sim
