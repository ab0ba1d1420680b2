// Any bytes as the gauge's answer: read as a data-log listing, as a text file, as a velocity
// reply, as an upgrade reply and as a single packet. Every listed name that the PC may use is
// a plain file name, and a text file's lines all end in CR LF.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gauge/file_list_entry.h"
#include "gauge/gauge_directory.h"
#include "gauge/gauge_file_names.h"
#include "gauge/gauge_link.h"
#include "gauge/upgrade_wire.h"
#include "gauge/user_velocity.h"

using namespace korvel;

namespace {

void checkListing(std::string_view reply) {
    const auto entries = ParseGageDirectory(reply);
    if (fileListRows(entries).size() != entries.size()) {
        std::abort();
    }
    for (const auto& entry : entries) {
        const std::string base = readBaseName(entry.name);
        if (base.size() >= entry.name.size() && !base.empty()) {
            std::abort();
        }
        isPlainFileName(entry.name);
        isBinaryTransfer(entry.name);
    }
}

void checkTextFile(std::string_view reply) {
    const std::string text = pcTextFromGaugeReply(reply);
    for (std::size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', lf + 1)) {
        if (lf == 0 || text[lf - 1] != '\r') {
            std::abort();
        }
    }
}

void checkPacket(std::string_view reply) {
    constexpr auto kSize = static_cast<std::size_t>(kPacketSize);
    PacketBuffer packet{};
    std::copy_n(reply.begin(), std::min(reply.size(), kSize), packet.begin());
    isEndMarker(packet);
    textUpToNul(std::string_view(packet.data(), kSize));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    checkListing(reply);
    checkTextFile(reply);
    checkPacket(reply);
    if (const auto velocity = parseVelocityReply(reply); velocity && velocity->value.empty()) {
        std::abort();
    }
    const ReplyWords words = splitAtFirstBlank(reply);
    leadingReplyNumber(words.rest);
    gaugeAnswer(std::string(reply));
    isRefusal(reply);
    return 0;
}
