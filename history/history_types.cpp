#include "history/history_types.h"

#include <array>

namespace korvel::history {

namespace {

constexpr std::array<std::pair<InspectionCode, std::string_view>, 3> kCodes = {{
    {InspectionCode::Api510, "api510"},
    {InspectionCode::Api570, "api570"},
    {InspectionCode::Api653, "api653"},
}};

}  // namespace

const std::array<TitleFieldName, kTitleFieldCount>& titleFields() {
    static constexpr std::array<TitleFieldName, kTitleFieldCount> kFields = {{
        {TitleField::Client, "client", "client", "--client", "IDS_REPORT_CLIENT"},
        {TitleField::Site, "site", "site", "--site", "IDS_REPORT_SITE"},
        {TitleField::Component, "component", "component", "--component", "IDS_REPORT_COMPONENT"},
        {TitleField::Inspector, "inspector", "inspector", "--inspector", "IDS_REPORT_INSPECTOR"},
        {TitleField::Certification, "certification", "certification", "--certification",
         "IDS_REPORT_CERTIFICATION"},
        {TitleField::GaugeModel, "gaugeModel", "gauge_model", "--gauge-model",
         "IDS_REPORT_GAUGE_MODEL"},
        {TitleField::GaugeSerial, "gaugeSerial", "gauge_serial", "--gauge-serial",
         "IDS_REPORT_GAUGE_SERIAL"},
        {TitleField::CalibrationDate, "calibrationDate", "calibration_date", "--calibration-date",
         "IDS_REPORT_CALIBRATION"},
        {TitleField::Probe, "probe", "probe", "--probe", "IDS_REPORT_PROBE"},
        {TitleField::Comments, "comments", "comments", "--comments", "IDS_REPORT_COMMENTS"},
    }};
    return kFields;
}

std::string_view codeName(InspectionCode code) {
    for (const auto& [known, name] : kCodes) {
        if (known == code) {
            return name;
        }
    }
    return {};
}

std::optional<InspectionCode> parseCode(std::string_view text) {
    for (const auto& [code, name] : kCodes) {
        if (name == text) {
            return code;
        }
    }
    return std::nullopt;
}

}  // namespace korvel::history
