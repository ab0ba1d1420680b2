#pragma once
// archive workbook and archive report: an asset's history written to a file. Each is built
// where its library is (the workbook's libxlsxwriter, the report's Qt); elsewhere it says that
// the build has none.

#include <string>

#include "cli/cli_context.h"
#include "history/inspection_history.h"

namespace korvel::cli {

// The exit status. `out` is the path the file goes to.
int writeHistoryWorkbook(CliContext& context, history::InspectionHistory& history,
                         const std::string& asset, const std::string& out);
int writeHistoryReport(CliContext& context, history::InspectionHistory& history,
                       const std::string& asset, const std::string& out);

}  // namespace korvel::cli
