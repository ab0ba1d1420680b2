#include "dataview/survey/survey_scale.h"

#include <algorithm>
#include <array>

namespace korvel {

namespace {

// Nine stops of a perceptually uniform dark-to-light scale (violet, blue, green, yellow).
constexpr std::array<std::array<int, 3>, 9> kStops = {{{68, 1, 84},
                                                       {71, 44, 122},
                                                       {59, 81, 139},
                                                       {44, 113, 142},
                                                       {33, 144, 141},
                                                       {39, 173, 129},
                                                       {92, 200, 99},
                                                       {170, 220, 50},
                                                       {253, 231, 37}}};

}  // namespace

QColor scaleColour(double t) {
    t = std::clamp(t, 0.0, 1.0) * (kStops.size() - 1);
    const std::size_t i = std::min(static_cast<std::size_t>(t), kStops.size() - 2);
    const double f = t - static_cast<double>(i);
    const auto mix = [&](int channel) {
        return static_cast<int>(kStops[i][channel] +
                                f * (kStops[i + 1][channel] - kStops[i][channel]) + 0.5);
    };
    return QColor(mix(0), mix(1), mix(2));
}

QColor contrastingInk(const QColor& fill) {
    const double luminance = 0.299 * fill.red() + 0.587 * fill.green() + 0.114 * fill.blue();
    return luminance > 140 ? QColor(Qt::black) : QColor(Qt::white);
}

std::optional<ValueRange> valueRange(const std::vector<std::optional<double>>& values) {
    std::optional<ValueRange> range;
    for (const auto& value : values) {
        if (!value) {
            continue;
        }
        if (!range) {
            range = ValueRange{*value, *value};
        }
        range->low = std::min(range->low, *value);
        range->high = std::max(range->high, *value);
    }
    return range;
}

double scalePosition(double value, const ValueRange& range, bool reversed) {
    const double t = range.high > range.low ? (value - range.low) / (range.high - range.low) : 0.5;
    return reversed ? 1.0 - t : t;
}

}  // namespace korvel
