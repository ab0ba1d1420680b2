#include "dataview/alarm_class.h"

#include "datafile/text_rules.h"

namespace korvel {

AlarmClass alarmClassOf(std::string_view alarm) {
    const std::string_view text = trimmed(alarm);
    AlarmClass result = AlarmClass::None;
    if (contains(text, "OFF") || text.empty() || text == "-") {
        result = AlarmClass::Normal;
    }
    if (text == "HIGH" || text == "LOW") {
        result = AlarmClass::Alarm;
    }
    if (contains(text, "WARNING")) {
        result = AlarmClass::Warning;
    }
    return result;
}

ChartColour alarmColour(AlarmClass alarmClass) {
    switch (alarmClass) {
        case AlarmClass::Alarm:
            return kChartRed;
        case AlarmClass::Warning:
            return kChartYellow;
        case AlarmClass::None:
        case AlarmClass::Normal:
            break;
    }
    return kChartGreen;
}

}  // namespace korvel
