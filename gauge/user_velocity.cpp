#include "gauge/user_velocity.h"

#include <algorithm>

#include "app/text_format.h"
#include "gauge/gauge_reply.h"

namespace korvel {

namespace {

// A value as the gauge writes one: an optional sign, digits with at most one point.
bool isDecimalNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    return whole.size() + fraction.size() > 0 && digits(whole) && digits(fraction);
}

void showSendFailure(GaugeLink& link) {
    link.noteOutcome(Outcome::LinkLost);
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
    const std::string command = getUserCommand(name, unit);
    if (link_.SendCommand(command) < 1) {
        showSendFailure(link_);
        return {};
    }
    const GaugeLink::Reply reply = link_.CollectReply();
    if (link_.cancelled() || !replyTaken(link_, command, reply)) {
        return {};
    }
    const std::optional<VelocityReply> velocity = parseVelocityReply(reply.text);
    if (!velocity || !isDecimalNumber(velocity->value)) {
        link_.noteOutcome(Outcome::GaugeRefused);
        link_.voice().show(
            MessageKind::Error,
            formatWithArgument(link_.texts().message("IDS_ERR_GAGE_NOTVELOCITY"), command, 1) +
                "\n\n" + visibleGaugeText(gaugeAnswer(reply.text)));
        return {};
    }
    return reply.text;
}

int UserVelocityExchange::SetUser(std::string_view name, std::string_view value,
                                  std::string_view unit) {
    if (link_.SendCommand(setUserCommand(name, value, unit)) < 1) {
        showSendFailure(link_);
        return -1;
    }
    const std::string command = setUserCommand(name, value, unit);
    const GaugeLink::Reply collected = link_.CollectReply();
    if (link_.cancelled()) {
        return -1;
    }
    if (!replyArrived(link_, command, collected)) {
        return -1;
    }
    const std::string reply = gaugeAnswer(collected.text);
    if (isRefusal(reply)) {
        link_.noteOutcome(Outcome::GaugeRefused);
        link_.voice().show(MessageKind::Warning, visibleGaugeText(reply));
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
