#pragma once
// An asset's inspection history as a workbook for spreadsheet programs (.xlsx): Figures (the
// asset's properties and title fields, then the figures of every location, the columns of
// "archive rates"), Values (every value of every survey, a location per row and a survey per
// column under its file and date; a hole a shaded empty cell, a reading left out of the
// figures struck through with its note as the cell's comment) and the Audit log. Thicknesses
// are numbers in the asset's units, dates dates; sheet names and labels are English, as in a
// survey's workbook.

#include <optional>
#include <string>

#include "app/text_table.h"
#include "app/user_voice.h"
#include "history/asset_history.h"

namespace korvel {

// The workbook's bytes; none when it could not be made. `program` is the program's title with
// its version.
std::optional<std::string> historyWorkbookBytes(const history::AssetHistory& history,
                                                const std::string& program);

struct HistoryWorkbookRequest {
    std::string asset;
    std::string out;              // where the workbook goes
    bool overwriteAsked = false;  // a save dialog has asked about an existing file already
};

// Reads the asset's history, asks before replacing a file (unless it was asked) and saves the
// workbook safely. Every failure is told to the voice; false then, or when the user declines.
bool saveHistoryWorkbook(history::InspectionHistory& history, const HistoryWorkbookRequest& request,
                         const TextTable& texts, const std::string& program, UserVoice& voice);

}  // namespace korvel
