#include "dataview/chart/chart_model.h"

#include <algorithm>

namespace korvel {

void loadSeries(ChartModel& model, int slot, const std::string& name, const std::vector<double>& x,
                const std::vector<double>& y, int count) {
    const std::size_t available = std::min(x.size(), y.size());
    const std::size_t used = count < 1 ? 0 : std::min(std::size_t(count), available);
    ChartSeries& series = model.series[slot];
    series.name = name;
    series.x.assign(x.begin(), x.begin() + std::ptrdiff_t(used));
    series.y.assign(y.begin(), y.begin() + std::ptrdiff_t(used));
}

}  // namespace korvel
