#include "gauge/gauge_reply.h"

#include "app/text_format.h"

namespace korvel {

namespace {

constexpr long long kBytesPerMegabyte = 1024 * 1024;

bool isControl(unsigned char c) {
    return (c < 0x20 && c != '\n') || (c >= 0x7F && c <= 0x9F);
}

void showWithCommand(GaugeLink& link, const char* key, std::string_view command) {
    link.voice().show(MessageKind::Error,
                      formatWithArgument(link.texts().message(key), command, 1));
}

}  // namespace

std::string visibleGaugeText(std::string_view text) {
    std::string visible;
    visible.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        if (isControl(c)) {
            visible += "\\x" + hexBytes(text.substr(i, 1));
        } else {
            visible += text[i];
        }
    }
    return visible;
}

std::string hexBytes(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (!hex.empty()) {
            hex += ' ';
        }
        hex += kDigits[c >> 4];
        hex += kDigits[c & 0x0F];
    }
    return hex;
}

bool replyArrived(GaugeLink& link, std::string_view command, const GaugeLink::Reply& reply) {
    if (reply.tooLong) {
        link.noteOutcome(Outcome::GaugeRefused);
        showReplyTooLong(link.voice(), link.texts(), command);
    } else if (reply.linkLost || reply.empty()) {
        link.noteOutcome(Outcome::LinkLost);
        showWithCommand(link, reply.linkLost ? "IDS_ERR_GAGE_REPLYLOST" : "IDS_ERR_GAGE_NOANSWER",
                        command);
    } else {
        return true;
    }
    return false;
}

bool replyTaken(GaugeLink& link, std::string_view command, const GaugeLink::Reply& reply) {
    if (!replyArrived(link, command, reply)) {
        return false;
    }
    const std::string answer = gaugeAnswer(reply.text);
    if (isRefusal(answer)) {
        link.noteOutcome(Outcome::GaugeRefused);
        showRefusal(link.voice(), link.texts(), command, answer);
        return false;
    }
    return true;
}

void showRefusal(UserVoice& voice, const TextTable& texts, std::string_view command,
                 std::string_view reply) {
    voice.show(MessageKind::Error,
               formatWithArgument(texts.message("IDS_ERR_GAGE_REFUSED"), command, 1) + "\n\n" +
                   visibleGaugeText(reply));
}

void showReplyTooLong(UserVoice& voice, const TextTable& texts, std::string_view command) {
    voice.show(MessageKind::Error,
               formatWithArguments(texts.message("IDS_ERR_GAGE_REPLYTOOLONG"),
                                   {command, std::to_string(kMaxReplyBytes / kBytesPerMegabyte)}));
}

}  // namespace korvel
