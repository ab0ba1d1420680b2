#pragma once
// The gauge's boot-mode wire format, shared by the upgrade and the simulated gauge: the 16-bit
// sum after every image chunk, the "OK n" / "ERROR text" replies and the commands that frame
// the firmware download.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvel {

constexpr std::string_view kUpgradeInitCommand = "init";
constexpr std::string_view kUpgradeTermCommand = "term";
constexpr std::string_view kReplyOkWord = "OK";
constexpr std::string_view kReplyErrorWord = "ERROR";
// A chunk never carries more data bytes than one packet.
constexpr int kMaxChunkData = 64;

// The sum of the bytes taken as unsigned values, kept to its low 16 bits.
std::uint16_t chunkChecksum(std::string_view data);
// The data followed by its checksum, high byte first.
std::string withChecksum(std::string_view data);

// A reply split at its first blank; without a blank the word is empty and the rest is all.
struct ReplyWords {
    std::string word;
    std::string rest;
};
ReplyWords splitAtFirstBlank(std::string_view reply);

// The decimal number at the start of the text (after blanks, with an optional sign), 0 when
// there is none; saturates instead of overflowing.
long long leadingReplyNumber(std::string_view text);

// A packet as text: its bytes up to the first zero byte.
std::string textUpToNul(std::string_view bytes);

}  // namespace korvel
