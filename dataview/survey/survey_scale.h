#pragma once
// The map's colours: a scale that readers with any colour vision, and grey-scale prints, read
// from dark to light in one order; grey for holes; the outlines of the minimum and of the
// selected reading.

#include <QColor>
#include <optional>
#include <vector>

namespace korvel {

inline const QColor kHoleGrey(150, 150, 150);
inline const QColor kNoReadingFill(255, 255, 255);
inline const QColor kMinimumOutline(0, 0, 0);
inline const QColor kSelectionOutline(230, 159, 0);  // orange, distinct from every scale colour

// The scale at t from 0 (dark violet) to 1 (light yellow), perceptually even.
QColor scaleColour(double t);

// Black or white, whichever reads better on the fill.
QColor contrastingInk(const QColor& fill);

// The smallest and largest value; none when every value is missing.
struct ValueRange {
    double low = 0;
    double high = 0;
};
std::optional<ValueRange> valueRange(const std::vector<std::optional<double>>& values);

// Where a value stands on the scale: 0 at `low`, 1 at `high` (0.5 when they are equal);
// reversed puts `high` at 0.
double scalePosition(double value, const ValueRange& range, bool reversed);

}  // namespace korvel
