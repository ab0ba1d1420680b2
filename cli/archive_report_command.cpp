// archive report: an asset's history report as PDF, drawn without a display.

#include "app/palimar_app.h"
#include "cli/archive_outputs.h"
#include "cli/offscreen_gui.h"
#include "report/history_report.h"

namespace korvel::cli {

int writeHistoryReport(CliContext& context, history::InspectionHistory& history,
                       const std::string& asset, const std::string& out) {
    const OffscreenGui gui;
    const ReportSigner signer{context.app.texts(), programWindowTitle(context.app),
                              reportDateNow()};
    return saveHistoryReport(history, asset, out, signer, context.voice) ? kExitOk : kExitFailed;
}

}  // namespace korvel::cli
