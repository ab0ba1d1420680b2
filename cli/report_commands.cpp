// report: the inspection report of a data file as PDF, drawn without a display.

#include <QGuiApplication>
#include <QString>
#include <optional>

#include "app/palimar_app.h"
#include "app/platform.h"
#include "app/ui/qt_text.h"
#include "cli/cli_context.h"
#include "datafile/output_file.h"
#include "report/inspection_report.h"

namespace korvel::cli {
namespace {

// A name in the working folder, or a path when it holds a separator.
std::string inFolder(const CliContext& context, const std::string& name) {
    return name.find_first_of("/\\") == std::string::npos ? joinPath(context.folder, name) : name;
}

struct ReportArguments {
    std::string file;
    std::string out;
    std::string earlier;
};

std::optional<ReportArguments> reportArguments(const std::vector<std::string>& args) {
    ReportArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--out" && hasValue && parsed.out.empty()) {
            parsed.out = args[++i];
        } else if (args[i] == "--earlier" && hasValue && parsed.earlier.empty()) {
            parsed.earlier = args[++i];
        } else if (args[i].rfind("--", 0) != 0 && parsed.file.empty()) {
            parsed.file = args[i];
        } else {
            return std::nullopt;
        }
    }
    return parsed.file.empty() ? std::nullopt : std::optional(parsed);
}

int report(CliContext& context, const std::vector<std::string>& args) {
    const auto parsed = reportArguments(args);
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

    const std::string file = inFolder(context, parsed->file);
    const std::string out =
        parsed->out.empty() ? withExtension(file, ".pdf") : inFolder(context, parsed->out);
    const std::string earlier =
        parsed->earlier.empty() ? std::string() : inFolder(context, parsed->earlier);
    const ReportSigner signer{context.app.texts(), programWindowTitle(context.app),
                              reportDateNow()};
    return saveInspectionReport(file, earlier, out, signer, context.voice) ? kExitOk : kExitFailed;
}

}  // namespace

std::vector<CliCommand> reportCommands() {
    return {
        {"report", "FILE [--out NAME.pdf] [--earlier FILE]  the inspection report as PDF", report},
    };
}

}  // namespace korvel::cli
