// archive workbook and archive report in a build without their libraries.

#include <iostream>

#include "cli/archive_outputs.h"

namespace korvel::cli {

namespace {

[[maybe_unused]] int notInBuild(const char* what) {
    std::cerr << "korvel-cli: archive: this build writes no " << what << '\n';
    return kExitFailed;
}

}  // namespace

#ifndef KORVEL_HAS_WORKBOOK
int writeHistoryWorkbook(CliContext&, history::InspectionHistory&, const std::string&,
                         const std::string&) {
    return notInBuild("workbooks");
}
#endif

#ifndef KORVEL_HAS_REPORT
int writeHistoryReport(CliContext&, history::InspectionHistory&, const std::string&,
                       const std::string&) {
    return notInBuild("reports");
}
#endif

}  // namespace korvel::cli
