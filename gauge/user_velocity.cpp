#include "gauge/user_velocity.h"

namespace korvel {

namespace {

void showSendFailure(GaugeLink& link) {
    link.voice().show(MessageKind::Error, link.texts().message("IDS_ERR_USBSEND"));
}

}  // namespace

std::string getUserCommand(std::string_view name, std::string_view unit) {
    return "get user " + std::string(name) + " " + std::string(unit);
}

std::string setUserCommand(std::string_view name, std::string_view value, std::string_view unit) {
    return "set user " + std::string(name) + " " + std::string(value) + " " + std::string(unit);
}

std::optional<VelocityReply> parseVelocityReply(std::string_view reply) {
    const std::size_t blank = reply.find(' ');
    if (blank == std::string_view::npos || blank == 0) {
        return std::nullopt;
    }
    std::string_view unit = reply.substr(blank + 1);
    while (!unit.empty() && (unit.back() == '\r' || unit.back() == '\n')) {
        unit.remove_suffix(1);
    }
    return VelocityReply{std::string(reply.substr(0, blank)), std::string(unit)};
}

std::string UserVelocityExchange::GetUser(std::string_view name, std::string_view unit) {
    if (link_.SendCommand(getUserCommand(name, unit)) < 1) {
        showSendFailure(link_);
        return {};
    }
    return link_.CollectReply();
}

int UserVelocityExchange::SetUser(std::string_view name, std::string_view value,
                                  std::string_view unit) {
    if (link_.SendCommand(setUserCommand(name, value, unit)) < 1) {
        showSendFailure(link_);
        return -1;
    }
    const std::string reply = gaugeAnswer(link_.CollectReply());
    if (isRefusal(reply)) {
        link_.voice().show(MessageKind::Warning, reply);
        return -1;
    }
    return 0;
}

int UserVelocityExchange::getVelocities(VelocitySettings& settings) {
    WaitCursor wait(link_.voice());
    int answered = -1;
    if (link_.openForOperation()) {
        std::array<std::string, 2> replies;
        for (std::size_t k = 0; k < settings.size() && !link_.cancelled(); ++k) {
            replies[k] = GetUser(kVelocityNames[k], settings[k].unit);
        }
        // A cancelled read leaves the boxes as they were.
        answered = link_.cancelled() ? -1 : 0;
        for (std::size_t k = 0; answered >= 0 && k < settings.size(); ++k) {
            if (const std::optional<VelocityReply> reply = parseVelocityReply(replies[k])) {
                settings[k].value = reply->value;
                if (!reply->unit.empty()) {
                    settings[k].unit = reply->unit;
                }
                ++answered;
            }
        }
    }
    link_.ReleaseGage();
    return answered;
}

int UserVelocityExchange::setVelocities(VelocitySettings& settings) {
    WaitCursor wait(link_.voice());
    int sent = -1;
    if (link_.openForOperation()) {
        for (VelocitySetting& setting : settings) {
            if (setting.value.empty()) {
                setting.value = "0";
            }
        }
        sent = 0;
        for (std::size_t k = 0; k < settings.size() && !link_.cancelled(); ++k) {
            sent += SetUser(kVelocityNames[k], settings[k].value, settings[k].unit) == 0 ? 1 : 0;
        }
    }
    link_.ReleaseGage();
    return sent;
}

}  // namespace korvel
