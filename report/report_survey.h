#pragma once
// The survey's part of the inspection report: the file's statistics with its thickness map (a
// grid per layer) or its thickness along the locations (a sequence), and, against an earlier
// survey of the same layout, the loss map with the largest loss, the corrosion rate and the
// shortest remaining life. On paper: shades of grey, alarms and holes told by their marks.

#include <QString>
#include <memory>
#include <optional>
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

// One value per point of a survey (none: hatched as a hole), the points to frame and the
// decimals written in the cells.
struct PointValues {
    std::vector<std::optional<double>> values;
    std::vector<bool> outlined;
    int decimals = 3;
};

// What the legend under a map says of its hatched cells, its alarm and warning corners and its
// framed cells.
struct MapLegendCaptions {
    QString none, alarm, warning, outline;
};

// The values drawn as the survey's thickness map is (a grid per layer in grey shades, darker
// for lower values, with the corner marks of each point's alarm level, and the legend), or for
// a sequence as the chart along its locations.
void addValueMap(ReportSection& section, const std::shared_ptr<const Survey>& survey,
                 PointValues values, const MapLegendCaptions& captions);

}  // namespace korvel
