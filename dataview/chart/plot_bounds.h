#pragma once
// The smallest box holding every point taken so far: what a chart's axes must span before
// their margins are added.

#include <algorithm>

namespace korvel {

struct PlotBounds {
    double lowX = 0, highX = 0, lowY = 0, highY = 0;
    bool any = false;

    void take(double x, double y) {
        lowX = any ? std::min(lowX, x) : x;
        highX = any ? std::max(highX, x) : x;
        lowY = any ? std::min(lowY, y) : y;
        highY = any ? std::max(highY, y) : y;
        any = true;
    }
};

}  // namespace korvel
