#include "history/inspection_interval.h"

#include <algorithm>

namespace korvel::history {

namespace {

double api570ClassMaximum(std::optional<int> inspectionClass) {
    return inspectionClass.value_or(kLowestClass) == 1 ? 5.0 : 10.0;
}

}  // namespace

double inspectionInterval(InspectionCode code, std::optional<int> inspectionClass,
                          std::optional<double> remainingLife) {
    switch (code) {
        case InspectionCode::Api570: {
            const double maximum = api570ClassMaximum(inspectionClass);
            return remainingLife ? std::min(*remainingLife / 2, maximum) : maximum;
        }
        case InspectionCode::Api510:
            if (!remainingLife) {
                return 10.0;
            }
            return *remainingLife < 4 ? std::min(*remainingLife, 2.0)
                                      : std::min(*remainingLife / 2, 10.0);
        case InspectionCode::Api653:
            return remainingLife ? std::min(*remainingLife / 2, 15.0) : 5.0;
    }
    return 0.0;
}

}  // namespace korvel::history
