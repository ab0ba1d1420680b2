// workbook: a survey as a workbook for spreadsheet programs.

#include "app/palimar_app.h"
#include "cli/cli_context.h"
#include "cli/output_arguments.h"
#include "workbook/survey_workbook.h"

namespace korvel::cli {
namespace {

int workbook(CliContext& context, const std::vector<std::string>& args) {
    const auto parsed = outputArguments(context, args, ".xlsx");
    if (!parsed) {
        return kExitUsage;
    }
    const SurveyWorkbookRequest request{parsed->file, parsed->earlier, parsed->out};
    return saveSurveyWorkbook(request, context.app.texts(), programWindowTitle(context.app),
                              context.voice)
               ? kExitOk
               : kExitFailed;
}

}  // namespace

std::vector<CliCommand> workbookCommands() {
    return {
        {"workbook",
         "FILE [--out NAME.xlsx] [--earlier FILE]  the survey as a workbook (Readings, Map, "
         "Statistics, Setups, Notes sheets)",
         workbook},
    };
}

}  // namespace korvel::cli
