// report: the inspection report of a data file as PDF, drawn without a display.

#include "app/palimar_app.h"
#include "cli/cli_context.h"
#include "cli/offscreen_gui.h"
#include "cli/output_arguments.h"
#include "report/inspection_report.h"

namespace korvel::cli {
namespace {

int report(CliContext& context, const std::vector<std::string>& args) {
    const auto parsed = outputArguments(context, args, ".pdf");
    if (!parsed) {
        return kExitUsage;
    }
    const OffscreenGui gui;

    const ReportSigner signer{context.app.texts(), programWindowTitle(context.app),
                              reportDateNow()};
    return saveInspectionReport(parsed->file, parsed->earlier, parsed->out, signer, context.voice)
               ? kExitOk
               : kExitFailed;
}

}  // namespace

std::vector<CliCommand> reportCommands() {
    return {
        {"report", "FILE [--out NAME.pdf] [--earlier FILE]  the inspection report as PDF", report},
    };
}

}  // namespace korvel::cli
