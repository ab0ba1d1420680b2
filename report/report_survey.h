#pragma once
// The survey's part of the inspection report: the file's statistics with its thickness map (a
// grid per layer) or its thickness along the locations (a sequence), and, against an earlier
// survey of the same layout, the loss map with the largest loss, the corrosion rate and the
// shortest remaining life. On paper: shades of grey, alarms and holes told by their marks.

#include <string>
#include <vector>

#include "datafile/data_file.h"
#include "report/inspection_report.h"
#include "report/report_pages.h"

namespace korvel {

class TextTable;

// The statistics section, and the comparison section when an earlier survey is given (its
// layout must match: check layoutsMatch first).
// Thicknesses in the subject's units; the earlier survey's in the same units.
std::vector<ReportSection> surveySections(const ReportSubject& subject, const TextTable& texts);

}  // namespace korvel
