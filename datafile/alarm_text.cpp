#include "datafile/alarm_text.h"

#include "app/text_rules.h"

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

AlarmLevel alarmLevelOf(std::string_view alarm) {
    const std::string_view text = trimmed(alarm);
    switch (alarmClassOf(text)) {
        case AlarmClass::Alarm:
            return text == "LOW" ? AlarmLevel::LowAlarm : AlarmLevel::HighAlarm;
        case AlarmClass::Warning:
            return text.starts_with("LOW") ? AlarmLevel::LowWarning : AlarmLevel::HighWarning;
        case AlarmClass::None:
        case AlarmClass::Normal:
            break;
    }
    return AlarmLevel::None;
}

}  // namespace korvel
