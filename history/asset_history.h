#pragma once
// Everything the outputs of an asset's history show (its workbook, its report), read from the
// storage once: the asset, its surveys in date order, every reading converted to the asset's
// units, the figures of those readings and the audit log.

#include <string>
#include <vector>

#include "history/inspection_history.h"

namespace korvel::history {

struct AssetHistory {
    AssetFigures figures;                 // figures.asset is the asset, figures.units its units
    std::vector<SurveyEntry> surveys;     // in date order
    std::vector<StoredReading> readings;  // in date order, values in figures.units
    std::vector<AuditEntry> audit;        // oldest first
};

// A name for a file about the asset, without its extension: the asset's name with every
// character a file name may not hold (path separators, ":*?"<>|", control characters) as "_";
// "asset" for a name that is nothing but dots or blanks.
std::string assetFileName(const std::string& asset);

// UnknownAsset when the history has none of that name. With units ("IN" or "MM") everything is
// given in those (the required and nominal thicknesses, values and rates converted) whatever
// the asset's own are; the history is not changed.
HistoryResult<AssetHistory> assetHistory(InspectionHistory& history, const std::string& asset,
                                         const std::string& units = {});

}  // namespace korvel::history
