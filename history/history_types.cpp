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
