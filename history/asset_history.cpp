#include "history/asset_history.h"

#include <string_view>

namespace korvel::history {

std::string assetFileName(const std::string& asset) {
    constexpr std::string_view kForbidden = "/\\:*?\"<>|";
    std::string name = asset;
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || kForbidden.find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return name.find_first_not_of(". ") == std::string::npos ? "asset" : name;
}

HistoryResult<AssetHistory> assetHistory(InspectionHistory& history, const std::string& name,
                                         const std::string& units) {
    auto asset = history.asset(name);
    if (!asset) {
        return asset.error;
    }
    auto surveys = history.surveys(name);
    if (surveys && !units.empty()) {
        const std::string own = figureUnits(*asset, *surveys);
        for (auto* thickness : {&asset->required, &asset->nominal}) {
            if (*thickness) {
                *thickness = convertedThickness(**thickness, own, units);
            }
        }
        asset->units = units;
    }
    auto readings = surveys ? history.storage().readings(name, std::nullopt)
                            : HistoryResult<std::vector<StoredReading>>(surveys.error);
    auto audit =
        readings ? history.audit(name) : HistoryResult<std::vector<AuditEntry>>(readings.error);
    if (!audit) {
        return audit.error;
    }
    AssetHistory result{assetFigures(*asset, *surveys, *readings), std::move(*surveys),
                        std::move(*readings), std::move(*audit)};
    for (auto& reading : result.readings) {
        if (reading.value) {
            reading.value = convertedThickness(*reading.value, reading.units, result.figures.units);
        }
        reading.units = result.figures.units;
    }
    return result;
}

}  // namespace korvel::history
