#pragma once
// Lays an inspection report out on pages and paints them: the title block, the setups and
// notes, the readings table over as many pages as it needs with its header on each, the
// A-scans several to a page, and a footer with the file name and "page N of M" on every page.
// White paper and dark ink throughout; the same pages go to a PDF file and to a printer.

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dataview/chart/chart_model.h"
#include "report/report_content.h"

class QFont;
class QPagedPaintDevice;
class QPainter;

namespace korvel {

// The chart of a reading's waveform as the data view draws it, title included.
using ReadingChart = std::function<ChartModel(int reading)>;

// A drawing the report places in a band of the page: it paints into the rectangle (in points).
struct ReportPicture {
    double height = 0;  // in points, at the full width of the page's text area
    std::function<void(QPainter&, const QRectF&)> paint;
};

// A section between the title block and the setups (the survey's figures and its map).
struct ReportSection {
    std::string heading;
    std::vector<std::pair<std::string, std::string>> figures;  // (label, value)
    std::vector<ReportPicture> pictures;
};

struct ReportDocument {
    const ReportContent& content;
    std::vector<ReportSection> sections;
    ReadingChart readingChart;
    // Sections after the readings table (a history's map and trends follow its table).
    std::vector<ReportSection> closingSections = {};
};

// The report's one typeface, at a size in the page's units.
QFont reportFont(int pixelSize, bool bold = false);
// Text in the font and the report's ink from here on.
void useReportText(QPainter& painter, const QFont& font);
// A chart laid out for logicalSize, painted into the box and framed by the report's rule.
void paintFramedChart(QPainter& painter, const QRectF& box, const QSizeF& logicalSize,
                      const ChartModel& model);

// The pages that paint gives as a PDF (600 dpi, A4) with its creator and title; empty when
// paint gives no page.
QByteArray reportPdf(const std::string& creator, const std::string& title,
                     const std::function<int(QPagedPaintDevice&)>& paint);

// Paints the whole report on the device, portrait on the device's paper (a printer's as chosen
// in its dialog; a PDF writer's is A4). Returns the number of pages, or 0 when the device could
// not be painted on.
int paintReport(QPagedPaintDevice& device, const ReportDocument& document);

}  // namespace korvel
