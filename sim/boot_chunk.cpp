#include "sim/boot_chunk.h"

#include <cstdint>

namespace korvel::sim {

bool checksumMatches(std::string_view chunk) {
    if (chunk.size() < 2) {
        return false;
    }
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 2 < chunk.size(); ++i) {
        sum += static_cast<unsigned char>(chunk[i]);
    }
    const auto high = static_cast<unsigned char>(chunk[chunk.size() - 2]);
    const auto low = static_cast<unsigned char>(chunk[chunk.size() - 1]);
    return (sum & 0xFFFFu) == ((static_cast<std::uint32_t>(high) << 8) | low);
}

}  // namespace korvel::sim
