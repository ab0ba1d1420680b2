#include "dataview/chart/bscan_profile.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "datafile/number_text.h"
#include "dataview/chart/alarm_class.h"
#include "dataview/readings/reading_table.h"

namespace korvel {
namespace {

class ProfileBuilder {
  public:
    explicit ProfileBuilder(BScanProfile& profile) : profile_(profile) {}

    void take(double w, double y, const std::string& alarm) {
        ProfileSeries* series = seriesOf(alarmClassOf(alarm));
        if (series != nullptr) {
            addReading(*series, w, y, alarm != previousAlarm_);
        }
        previousAlarm_ = alarm;
    }

    void close() {
        for (ProfileSeries& series : profile_.series) {
            if (!series.x.empty()) {
                add(series, series.x.back(), 0);
            }
        }
    }

  private:
    ProfileSeries* seriesOf(AlarmClass alarmClass) {
        switch (alarmClass) {
            case AlarmClass::Normal:
                return &profile_.series[0];
            case AlarmClass::Alarm:
                return &profile_.series[1];
            case AlarmClass::Warning:
                return &profile_.series[2];
            case AlarmClass::None:
                break;
        }
        return nullptr;
    }

    // Room for this reading's points and the closing zero point.
    static bool hasRoom(const ProfileSeries& series) {
        return series.x.size() + 6 <= kMaxProfilePoints;
    }

    static void add(ProfileSeries& series, double x, double y) {
        series.x.push_back(x);
        series.y.push_back(y);
    }

    static void addReading(ProfileSeries& series, double w, double y, bool alarmChanged) {
        if (!hasRoom(series)) {
            return;
        }
        if (alarmChanged) {
            if (!series.x.empty()) {
                add(series, series.x.back(), 0);
            }
            add(series, w, 0);
        }
        if (series.x.size() > 1 && std::abs(std::trunc(y - series.y.back())) > 10) {
            add(series, series.x.back(), 0);
            add(series, w, 0);
        }
        add(series, w, y);
    }

    BScanProfile& profile_;
    std::string previousAlarm_;
};

}  // namespace

int ProfileSeries::visibleCount() const {
    const auto end = std::find_if(x.begin(), x.end(), [](double v) { return v >= kProfileWidth; });
    return static_cast<int>(end - x.begin());
}

BScanProfile buildProfile(const ReadingTable& table, int first, int last, double bsRange) {
    BScanProfile profile;
    if (!(bsRange > 0) || !std::isfinite(bsRange)) {
        return profile;
    }
    ProfileBuilder builder(profile);
    const int end = std::min({last, first + kProfileWidth, table.rowCount() - 1});
    for (int row = std::max(first, 0); row <= end; ++row) {
        const auto thickness = static_cast<float>(leadingDecimal(table.textOf(row, "Thickness")));
        builder.take(row - first, thickness * 100.0 / bsRange, table.textOf(row, "Alarm"));
        ++profile.walked;
    }
    builder.close();
    return profile;
}

}  // namespace korvel
