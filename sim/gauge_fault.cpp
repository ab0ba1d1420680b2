#include "sim/gauge_fault.h"

#include <charconv>
#include <functional>
#include <vector>

#include "sim/packets.h"

namespace korvel::sim {

namespace {

// What follows a fault's name: nothing, a text or a count.
enum class Argument { None, Text, Count };

struct FaultRule {
    std::string_view name;
    Argument argument;
    bool upgradeOnly;
    std::function<void(GaugeFaultSetting&, std::string_view text, int count)> set;
};

const std::vector<FaultRule>& faultRules() {
    static const std::vector<FaultRule> rules = {
        {"silent", Argument::None, false,
         [](GaugeFaultSetting& s, std::string_view, int) {
             s.gauge.silent = true;
             s.upgrade.silentAfterInit = true;
             s.upgrade.silentTerm = true;
         }},
        {"error", Argument::Text, false,
         [](GaugeFaultSetting& s, std::string_view text, int) {
             s.gauge.errorReply = text;
             s.upgrade.requestText = text;
             s.upgrade.termReply = text;
         }},
        {"garbage", Argument::None, false,
         [](GaugeFaultSetting& s, std::string_view, int) {
             s.gauge.garbage = true;
             s.upgrade.requestText = gaugeNoise().substr(0, kPacketBytes);
             s.upgrade.termReply = s.upgrade.requestText;
         }},
        {"endless", Argument::None, false,
         [](GaugeFaultSetting& s, std::string_view, int) { s.bus.endless = true; }},
        {"drop", Argument::Count, false,
         [](GaugeFaultSetting& s, std::string_view, int n) { s.bus.dropAfterReplyPackets = n; }},
        {"stall", Argument::None, false,
         [](GaugeFaultSetting& s, std::string_view, int) { s.bus.writesTimeOut = true; }},
        {"fail-writes", Argument::Count, false,
         [](GaugeFaultSetting& s, std::string_view, int n) { s.bus.failWrites = n; }},
        {"no-request", Argument::None, true,
         [](GaugeFaultSetting& s, std::string_view, int) { s.upgrade.silentAfterInit = true; }},
        {"request", Argument::Text, true,
         [](GaugeFaultSetting& s, std::string_view text, int) { s.upgrade.requestText = text; }},
        {"request-size", Argument::Count, true,
         [](GaugeFaultSetting& s, std::string_view, int n) { s.upgrade.requestSize = n; }},
        {"term", Argument::Text, true,
         [](GaugeFaultSetting& s, std::string_view text, int) { s.upgrade.termReply = text; }},
        {"no-term", Argument::None, true,
         [](GaugeFaultSetting& s, std::string_view, int) { s.upgrade.silentTerm = true; }},
        {"image-limit", Argument::Count, true,
         [](GaugeFaultSetting& s, std::string_view, int n) { s.upgrade.imageBytesAccepted = n; }},
        {"chunk-fails", Argument::Count, true,
         [](GaugeFaultSetting& s, std::string_view, int n) { s.upgrade.failingChunk = n; }},
    };
    return rules;
}

std::optional<int> parseCount(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<GaugeFaultSetting> parseGaugeFault(std::string_view text, bool upgradeMode) {
    const std::size_t colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    const bool hasArgument = colon != std::string_view::npos;
    const std::string_view argument = hasArgument ? text.substr(colon + 1) : std::string_view();
    for (const FaultRule& rule : faultRules()) {
        if (rule.name != name || (rule.upgradeOnly && !upgradeMode) ||
            hasArgument != (rule.argument != Argument::None) ||
            (rule.argument == Argument::Text && argument.empty())) {
            continue;
        }
        const std::optional<int> count =
            rule.argument == Argument::Count ? parseCount(argument) : std::optional<int>(0);
        if (!count) {
            return std::nullopt;
        }
        GaugeFaultSetting setting;
        rule.set(setting, argument, *count);
        return setting;
    }
    return std::nullopt;
}

void applyGaugeFault(const GaugeFaultSetting& setting, SimulatedGauge* gauge,
                     BootModeGauge* upgradeGauge) {
    virtualBus().faults() = setting.bus;
    if (gauge) {
        gauge->faults() = setting.gauge;
    }
    if (upgradeGauge) {
        upgradeGauge->faults() = setting.upgrade;
    }
}

}  // namespace korvel::sim
