// report: the inspection report of a data file as PDF, drawn without a display.

#include <QGuiApplication>
#include <QString>

#include "app/palimar_app.h"
#include "app/ui/qt_text.h"
#include "cli/cli_context.h"
#include "cli/output_arguments.h"
#include "report/inspection_report.h"

namespace korvel::cli {
namespace {

int report(CliContext& context, const std::vector<std::string>& args) {
    const auto parsed = outputArguments(context, args, ".pdf");
    if (!parsed) {
        return kExitUsage;
    }
    // The pages are drawn offscreen: korvel-cli never needs a display. Standard error carries
    // only the program's own messages, never Qt's notes about its environment.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int argc = 1;
    char name[] = "korvel-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);

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
