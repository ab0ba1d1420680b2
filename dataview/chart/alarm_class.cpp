#include "dataview/chart/alarm_class.h"

namespace korvel {

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
