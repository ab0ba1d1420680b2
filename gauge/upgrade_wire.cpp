#include "gauge/upgrade_wire.h"

#include <limits>

namespace korvel {

std::uint16_t chunkChecksum(std::string_view data) {
    unsigned sum = 0;
    for (const char byte : data) {
        sum += static_cast<unsigned char>(byte);
    }
    return static_cast<std::uint16_t>(sum & 0xFFFFu);
}

std::string withChecksum(std::string_view data) {
    const std::uint16_t sum = chunkChecksum(data);
    std::string chunk(data);
    chunk += static_cast<char>(sum >> 8);
    chunk += static_cast<char>(sum & 0xFF);
    return chunk;
}

ReplyWords splitAtFirstBlank(std::string_view reply) {
    const std::size_t blank = reply.find(' ');
    if (blank == std::string_view::npos) {
        return {"", std::string(reply)};
    }
    return {std::string(reply.substr(0, blank)), std::string(reply.substr(blank + 1))};
}

long long leadingReplyNumber(std::string_view text) {
    constexpr long long kLimit = std::numeric_limits<long long>::max() / 10 - 9;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kLimit) {
            value = value * 10 + (text[i] - '0');
        }
    }
    return negative ? -value : value;
}

std::string textUpToNul(std::string_view bytes) {
    return std::string(bytes.substr(0, bytes.find('\0')));
}

}  // namespace korvel
