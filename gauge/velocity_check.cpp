#include "gauge/velocity_check.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "app/text_format.h"

namespace korvel {

namespace {

struct VelocityRange {
    std::string_view unit;
    double low;
    double high;
    std::string_view lowText;
    std::string_view highText;
};

constexpr std::array<VelocityRange, 2> kVelocityRanges = {{
    {"in/us", 0.0394, 0.3937, "0.0394", "0.3937"},
    {"m/s", 1000, 9999, "1000", "9999"},
}};

std::optional<double> plainNumber(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The warning for one velocity, named by its label; empty when it can go to the gauge.
std::string velocityRefusal(const VelocitySetting& setting, std::string_view label,
                            const TextTable& texts) {
    const std::optional<double> value = plainNumber(setting.value);
    for (const VelocityRange& range : kVelocityRanges) {
        if (range.unit == setting.unit) {
            if (value && *value >= range.low && *value <= range.high) {
                return {};
            }
            return formatWithArguments(
                texts.message("IDS_MSG_VELOCITY_RANGE"),
                {label, range.lowText, range.highText, range.unit, setting.value});
        }
    }
    if (value && *value > 0) {
        return {};
    }
    return formatWithArguments(texts.message("IDS_MSG_VELOCITY_POSITIVE"), {label, setting.value});
}

}  // namespace

std::optional<RefusedVelocity> refusedVelocity(const VelocitySettings& settings,
                                               const TextTable& texts) {
    for (std::size_t k = 0; k < settings.size(); ++k) {
        std::string warning = velocityRefusal(
            settings[k], texts.caption(Screen::UserVelocity, kVelocityLabelKeys[k]), texts);
        if (!warning.empty()) {
            return RefusedVelocity{k, std::move(warning)};
        }
    }
    return std::nullopt;
}

}  // namespace korvel
