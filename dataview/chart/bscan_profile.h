#pragma once
// The cross-section profile of a run of B-scan readings: each reading's thickness as a
// percentage of the setup's B-scan range, in three filled series by alarm class (no alarm,
// alarm, warning). A run of one class rises from 0 to the profile and drops back to 0, and
// breaks into separate bars where the thickness jumps by more than 10 percentage points.

#include <array>
#include <vector>

namespace korvel {

class ReadingTable;

// Points of one profile series; no series holds more than this many.
inline constexpr std::size_t kMaxProfilePoints = 5000;
// The x range of the display: nothing from x = 180 on is drawn.
inline constexpr int kProfileWidth = 180;

struct ProfileSeries {
    std::vector<double> x;
    std::vector<double> y;

    // The points with x below kProfileWidth (the series never goes back in x).
    int visibleCount() const;
};

struct BScanProfile {
    std::array<ProfileSeries, 3> series;  // normal, alarm, warning
    int walked = 0;                       // readings walked
};

// Walks the rows first..last (table rows; x = row - first), at most kProfileWidth + 1 of them,
// reading their displayed "Thickness" and "Alarm". A B-scan range that is not above 0 gives
// empty series: without it no thickness can be placed.
BScanProfile buildProfile(const ReadingTable& table, int first, int last, double bsRange);

}  // namespace korvel
