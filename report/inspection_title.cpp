#include "report/inspection_title.h"

#include <array>

#include "app/text_table.h"

namespace korvel {

namespace {

// Room for a name and a date written by hand.
constexpr const char* kSignatureLine = "______________________________   ____________";

}  // namespace

std::vector<std::pair<std::string, std::string>> inspectionTitleRows(const InspectionTitle& title,
                                                                     const TextTable& texts) {
    const std::array<std::pair<const char*, const std::string*>, 14> fields = {{
        {"IDS_REPORT_CLIENT", &title.client},
        {"IDS_REPORT_SITE", &title.site},
        {"IDS_REPORT_ASSET", &title.asset},
        {"IDS_REPORT_COMPONENT", &title.component},
        {"IDS_REPORT_NOMINAL", &title.nominalThickness},
        {"IDS_REPORT_REQUIRED", &title.requiredThickness},
        {"IDS_REPORT_CODE", &title.codeAndClass},
        {"IDS_REPORT_INSPECTOR", &title.inspector},
        {"IDS_REPORT_CERTIFICATION", &title.certification},
        {"IDS_REPORT_GAUGE_MODEL", &title.gaugeModel},
        {"IDS_REPORT_GAUGE_SERIAL", &title.gaugeSerial},
        {"IDS_REPORT_CALIBRATION", &title.calibrationDate},
        {"IDS_REPORT_PROBE", &title.probe},
        {"IDS_REPORT_COMMENTS", &title.comments},
    }};
    std::vector<std::pair<std::string, std::string>> rows;
    for (const auto& [key, value] : fields) {
        if (!value->empty()) {
            rows.emplace_back(texts.message(key), *value);
        }
    }
    rows.emplace_back(texts.message("IDS_REPORT_SIGN_OFF"), kSignatureLine);
    return rows;
}

}  // namespace korvel
