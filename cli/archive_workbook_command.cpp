// archive workbook: an asset's history as a workbook for spreadsheet programs.

#include "app/palimar_app.h"
#include "cli/archive_outputs.h"
#include "workbook/history_workbook.h"

namespace korvel::cli {

int writeHistoryWorkbook(CliContext& context, history::InspectionHistory& history,
                         const std::string& asset, const std::string& out) {
    return saveHistoryWorkbook(history, {asset, out}, context.app.texts(),
                               programWindowTitle(context.app), context.voice)
               ? kExitOk
               : kExitFailed;
}

}  // namespace korvel::cli
