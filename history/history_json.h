#pragma once
// The inspection history as JSON, the way korvel-cli's "archive" commands print it
// (docs/history.md describes every member). Dates are YYYY-MM-DD, thicknesses in the asset's
// units, rates per year; a figure that cannot be given is null. Names, notes and users are
// written as the UTF-8 text they are (a byte that is not UTF-8 as the character of its value),
// location codes as the file's single-byte text.

#include <string>
#include <string_view>
#include <vector>

#include "history/history_figures.h"
#include "history/inspection_history.h"

namespace korvel::history {

// A JSON string literal of text typed by a person.
std::string textJson(std::string_view text);
// A thickness as few digits as give it back, to a millionth.
std::string thicknessText(double value);

std::string assetJson(const Asset& asset);
std::string assetsJson(const std::vector<Asset>& assets);
std::string addedSurveyJson(const std::string& asset, const AddedSurvey& survey);
std::string surveysJson(const std::string& asset, const std::vector<SurveyEntry>& surveys);
std::string locationHistoryJson(const std::string& asset, const std::string& location,
                                const LocationHistory& history);
std::string figuresJson(const AssetFigures& figures);
std::string auditJson(const std::string& asset, const std::vector<AuditEntry>& entries);

}  // namespace korvel::history
