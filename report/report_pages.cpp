#include "report/report_pages.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPolygonF>
#include <algorithm>
#include <memory>

#include "app/ui/qt_text.h"
#include "dataview/chart/chart_painter.h"
#include "dataview/chart/paper_chart.h"

namespace korvel {
namespace {

// The pages are laid out in tenths of a point: fonts then have whole pixel sizes.
constexpr double kUnitsPerInch = 720.0;
constexpr int kPdfResolution = 600;
constexpr double kMarginMillimetres = 15.0;
constexpr int kTitleSize = 160;
constexpr int kHeadingSize = 110;
constexpr int kBodySize = 75;
constexpr double kRowHeight = 100.0;
constexpr double kTitleBlockRowHeight = 120.0;
constexpr double kHeadingHeight = 180.0;
constexpr double kSectionGap = 120.0;
constexpr double kCellPadding = 40.0;
constexpr double kMarkWidth = 90.0;
constexpr double kFooterHeight = 180.0;
constexpr double kLabelWidth = 1300.0;
// A table narrower than the page spreads its columns by at most this much each.
constexpr double kMostSpread = 160.0;
// A heading is never left alone at the foot of a page: this many rows must fit below it.
constexpr std::size_t kRowsAfterHeading = 3;
// A table of up to this many rows, its header included, is kept on one page.
constexpr std::size_t kRowsKeptTogether = 20;
constexpr int kAScanColumns = 2;
constexpr double kAScanGap = 120.0;
constexpr QSizeF kAScanLogicalSize(572, 300);
const QColor kInk(0, 0, 0);
const QColor kRule(96, 96, 96);
const QColor kAlarmBand(205, 205, 205);
const QColor kWarningBand(235, 235, 235);

using Paint = std::function<void(QPainter&)>;

// The pages being laid out: what each one paints, and where the next band starts.
class Pages {
  public:
    explicit Pages(const QSizeF& area) : area_(area) { pages_.emplace_back(); }

    double width() const { return area_.width(); }
    double bottom() const { return area_.height() - kFooterHeight; }
    // The top of a band of the height, on a new page when it does not fit on this one.
    double take(double height) {
        if (y_ + height > bottom() && y_ > 0) {
            newPage();
        }
        const double top = y_;
        y_ += height;
        return top;
    }
    bool fits(double height) const { return y_ + height <= bottom(); }
    void keepRoom(double height) {
        if (y_ + height > bottom() && y_ > 0) {
            newPage();
        }
    }
    void newPage() {
        pages_.emplace_back();
        y_ = 0;
    }
    // The next band starts a page of its own.
    void startPage() {
        if (y_ > 0) {
            newPage();
        }
    }
    void add(Paint paint) { pages_.back().push_back(std::move(paint)); }
    const std::vector<std::vector<Paint>>& all() const { return pages_; }

  private:
    QSizeF area_;
    double y_ = 0;
    std::vector<std::vector<Paint>> pages_;
};

// The text's baseline in a band of the given top and height.
QPointF baselineIn(double x, double top, double height, const QFont& font) {
    const QFontMetricsF metrics(font);
    return {x, top + (height + metrics.ascent() - metrics.descent()) / 2};
}

void addText(Pages& pages, double x, double top, double height, const QFont& font,
             const QString& text) {
    pages.add([=](QPainter& painter) {
        useReportText(painter, font);
        painter.drawText(baselineIn(x, top, height, font), text);
    });
}

void addRule(Pages& pages, double y) {
    const double width = pages.width();
    pages.add([=](QPainter& painter) {
        painter.setPen(QPen(kRule, 5));
        painter.drawLine(QPointF(0, y), QPointF(width, y));
    });
}

void addHeading(Pages& pages, const std::string& heading, double following) {
    pages.keepRoom(kSectionGap + kHeadingHeight + following);
    const double top = pages.take(kSectionGap + kHeadingHeight) + kSectionGap;
    addText(pages, 0, top, kHeadingHeight, reportFont(kHeadingSize, true), toQt(heading));
}

void addLabelledValues(Pages& pages, const std::vector<std::pair<std::string, std::string>>& rows) {
    const QFont label = reportFont(kBodySize, true);
    const QFont value = reportFont(kBodySize);
    // The values stand in one column, right of the longest label.
    double valueAt = kLabelWidth;
    for (const auto& row : rows) {
        valueAt = std::max(
            valueAt, QFontMetricsF(label).horizontalAdvance(toQt(row.first)) + kCellPadding * 2);
    }
    for (const auto& [name, text] : rows) {
        const double top = pages.take(kTitleBlockRowHeight);
        addText(pages, 0, top, kTitleBlockRowHeight, label, toQt(name));
        addText(pages, valueAt, top, kTitleBlockRowHeight, value, toQt(text));
    }
}

// How one block of a table's columns is placed: the columns it shows and where each starts.
struct TableLook {
    std::vector<std::size_t> columns;
    std::vector<double> x;
    std::vector<double> width;
    std::vector<bool> elided;  // the column is narrower than its widest text
    double baseline = 0;       // of the texts, below the top of their row
    bool marks = false;
};

// The width of each column's widest text, its header's included.
std::vector<double> columnWidths(const ReportTable& table, const QFont& body, const QFont& bold) {
    const QFontMetricsF bodyMetrics(body);
    const QFontMetricsF boldMetrics(bold);
    std::vector<double> widths;
    for (std::size_t column = 0; column < table.header.size(); ++column) {
        double widest = boldMetrics.horizontalAdvance(toQt(table.header[column]));
        for (const auto& row : table.rows) {
            if (column < row.size()) {
                widest = std::max(widest, bodyMetrics.horizontalAdvance(toQt(row[column])));
            }
        }
        widths.push_back(widest + kCellPadding);
    }
    return widths;
}

// The columns in blocks that fit the page's width, the first column repeated in each block. No
// column takes more than `limit`; its texts are cut short then.
std::vector<TableLook> tableLooks(const std::vector<double>& naturalWidths, double pageWidth,
                                  double limit, bool marks) {
    std::vector<double> widths;
    for (const double width : naturalWidths) {
        widths.push_back(std::min(width, limit));
    }
    std::vector<TableLook> looks;
    const double start = marks ? kMarkWidth : 0.0;
    std::size_t next = 1;
    do {
        TableLook look;
        look.marks = marks;
        double x = start;
        for (std::size_t column = 0; column < widths.size(); ++column) {
            if (column != 0 && column < next) {
                continue;
            }
            if (column != 0 && x + widths[column] > pageWidth && look.columns.size() > 1) {
                break;
            }
            look.columns.push_back(column);
            look.x.push_back(x);
            look.width.push_back(std::min(widths[column], pageWidth - x));
            look.elided.push_back(look.width.back() < naturalWidths[column]);
            x += widths[column];
            next = column + 1;
        }
        const double spread =
            std::clamp((pageWidth - x) / double(look.columns.size()), 0.0, kMostSpread);
        for (std::size_t i = 0; i < look.columns.size(); ++i) {
            look.x[i] += spread * double(i);
            look.width[i] += spread;
        }
        looks.push_back(std::move(look));
    } while (next < widths.size());
    return looks;
}

void paintCells(QPainter& painter, const TableLook& look, const std::vector<std::string>& cells,
                double top, const QFont& font) {
    useReportText(painter, font);
    const double baseline = top + look.baseline;
    for (std::size_t i = 0; i < look.columns.size(); ++i) {
        const std::size_t column = look.columns[i];
        if (column >= cells.size()) {
            continue;
        }
        QString text = toQt(cells[column]);
        if (look.elided[i]) {
            text = QFontMetricsF(font).elidedText(text, Qt::ElideRight,
                                                  look.width[i] - kCellPadding / 2);
        }
        painter.drawText(QPointF(look.x[i], baseline), text);
    }
}

// An alarm row is banded darker and marked with a filled triangle, a warning row banded
// lighter and marked with an open one: both survive grey-scale printing.
void paintMark(QPainter& painter, AlarmClass alarm, double top, double width) {
    if (alarm != AlarmClass::Alarm && alarm != AlarmClass::Warning) {
        return;
    }
    const bool isAlarm = alarm == AlarmClass::Alarm;
    painter.fillRect(QRectF(0, top, width, kRowHeight), isAlarm ? kAlarmBand : kWarningBand);
    const double size = kRowHeight * 0.6;
    const double left = (kMarkWidth - size) / 2;
    const double bottom = top + (kRowHeight + size) / 2;
    const QPolygonF triangle{QPointF(left, bottom), QPointF(left + size, bottom),
                             QPointF(left + size / 2, bottom - size)};
    painter.setPen(QPen(kInk, 6));
    painter.setBrush(isAlarm ? QBrush(kInk) : QBrush(Qt::white));
    painter.drawPolygon(triangle);
    painter.setBrush(Qt::NoBrush);
}

void addHeaderRow(Pages& pages, const std::shared_ptr<const TableLook>& look,
                  const std::vector<std::string>& header) {
    const double top = pages.take(kRowHeight);
    const double width = pages.width();
    const QFont bold = reportFont(kBodySize, true);
    pages.add([look, &header, top, width, bold](QPainter& painter) {
        paintCells(painter, *look, header, top, bold);
        painter.setPen(QPen(kInk, 5));
        painter.drawLine(QPointF(0, top + kRowHeight), QPointF(width, top + kRowHeight));
    });
}

void addTableBlock(Pages& pages, const ReportTable& table, const std::vector<AlarmClass>* alarms,
                   const std::shared_ptr<const TableLook>& look) {
    const double width = pages.width();
    const QFont body = reportFont(kBodySize);
    pages.keepRoom(2 * kRowHeight);
    addHeaderRow(pages, look, table.header);
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        if (!pages.fits(kRowHeight)) {
            pages.newPage();
            addHeaderRow(pages, look, table.header);
        }
        const double top = pages.take(kRowHeight);
        const AlarmClass alarm = alarms ? (*alarms)[row] : AlarmClass::None;
        const std::vector<std::string>* cells = &table.rows[row];
        pages.add([look, cells, top, body, alarm, width](QPainter& painter) {
            paintMark(painter, alarm, top, width);
            paintCells(painter, *look, *cells, top, body);
        });
    }
}

void addTable(Pages& pages, const std::string& heading, const ReportTable& table,
              const std::vector<AlarmClass>* alarms = nullptr) {
    if (table.header.empty() || table.rows.empty()) {
        return;
    }
    const bool marks = alarms != nullptr;
    const double room = pages.width() - (marks ? kMarkWidth : 0.0);
    const auto widths = columnWidths(table, reportFont(kBodySize), reportFont(kBodySize, true));
    auto looks = tableLooks(widths, pages.width(), room * 2 / 3, marks);
    const double baseline = baselineIn(0, 0, kRowHeight, reportFont(kBodySize)).y();
    for (TableLook& look : looks) {
        look.baseline = baseline;
    }
    if (!heading.empty()) {
        // A short table starts on the next page rather than parting from its header.
        const std::size_t together = std::min(table.rows.size() + 1, kRowsKeptTogether);
        addHeading(pages, heading,
                   double(std::max<std::size_t>(together, kRowsAfterHeading)) * kRowHeight);
    }
    for (const TableLook& look : looks) {
        addTableBlock(pages, table, alarms, std::make_shared<const TableLook>(look));
        pages.take(kRowHeight / 2);
    }
}

// What the marks of the readings table mean, under its heading.
void addLegend(Pages& pages, const ReportContent& content) {
    const double top = pages.take(kRowHeight * 1.5);
    const QFont body = reportFont(kBodySize);
    const QFontMetricsF metrics(body);
    const QString alarm = toQt(content.alarmLegend);
    const QString warning = toQt(content.warningLegend);
    const double warningAt = kMarkWidth + metrics.horizontalAdvance(alarm) + 3 * kMarkWidth;
    pages.add([=](QPainter& painter) {
        paintMark(painter, AlarmClass::Alarm, top, kMarkWidth);
        painter.save();
        painter.translate(warningAt - kMarkWidth, 0);
        paintMark(painter, AlarmClass::Warning, top, kMarkWidth);
        painter.restore();
        useReportText(painter, body);
        const double y = baselineIn(0, top, kRowHeight, body).y();
        painter.drawText(QPointF(kMarkWidth + kCellPadding / 2, y), alarm);
        painter.drawText(QPointF(warningAt + kCellPadding / 2, y), warning);
    });
}

void addTitleBlock(Pages& pages, const ReportContent& content) {
    const double top = pages.take(kHeadingHeight * 1.6);
    addText(pages, 0, top, kHeadingHeight * 1.4, reportFont(kTitleSize, true), toQt(content.title));
    addRule(pages, top + kHeadingHeight * 1.5);
    addLabelledValues(pages, content.titleBlock);
}

void addSection(Pages& pages, const ReportSection& section) {
    addHeading(pages, section.heading, double(kRowsAfterHeading) * kTitleBlockRowHeight);
    addLabelledValues(pages, section.figures);
    for (const ReportPicture& picture : section.pictures) {
        const double top = pages.take(picture.height + kRowHeight) + kRowHeight / 2;
        const QRectF box(0, top, pages.width(), picture.height);
        pages.add([box, paint = picture.paint](QPainter& painter) { paint(painter, box); });
    }
}

// The waveforms, kAScanColumns to a row, each as the data view draws it, on paper colours.
void addAScans(Pages& pages, const ReportDocument& document) {
    const auto& readings = document.content.ascanReadings;
    if (readings.empty() || !document.readingChart) {
        return;
    }
    const double width = (pages.width() - kAScanGap * (kAScanColumns - 1)) / kAScanColumns;
    const double height = width * kAScanLogicalSize.height() / kAScanLogicalSize.width();
    pages.startPage();
    addHeading(pages, document.content.ascansHeading, height);
    for (std::size_t i = 0; i < readings.size(); i += kAScanColumns) {
        const double top = pages.take(height + kAScanGap);
        for (std::size_t k = i; k < std::min(readings.size(), i + kAScanColumns); ++k) {
            const double left = static_cast<double>(k - i) * (width + kAScanGap);
            const QRectF box(left, top, width, height);
            auto model =
                std::make_shared<const ChartModel>(paperChart(document.readingChart(readings[k])));
            pages.add([box, model](QPainter& painter) {
                paintFramedChart(painter, box, kAScanLogicalSize, *model);
            });
        }
    }
}

Pages layOut(const ReportDocument& document, const QSizeF& area) {
    const ReportContent& content = document.content;
    Pages pages(area);
    addTitleBlock(pages, content);
    for (const ReportSection& section : document.sections) {
        addSection(pages, section);
    }
    addTable(pages, content.setupsHeading, content.setups);
    addTable(pages, content.notesHeading, content.notes);
    if (content.readings.rows.empty()) {
        addHeading(pages, content.readingsHeading, kRowHeight);
        addText(pages, 0, pages.take(kRowHeight), kRowHeight, reportFont(kBodySize),
                toQt(content.noReadings));
    } else {
        addHeading(pages, content.readingsHeading, double(kRowsAfterHeading) * kRowHeight);
        addLegend(pages, content);
        addTable(pages, std::string(), content.readings, &content.readingAlarms);
    }
    for (const ReportSection& section : document.closingSections) {
        addSection(pages, section);
    }
    addAScans(pages, document);
    return pages;
}

void paintFooter(QPainter& painter, const QSizeF& area, const ReportContent& content, int page,
                 int pageCount) {
    const QFont body = reportFont(kBodySize);
    const double top = area.height() - kFooterHeight + kRowHeight / 2;
    painter.setPen(QPen(kRule, 5));
    painter.drawLine(QPointF(0, top), QPointF(area.width(), top));
    useReportText(painter, body);
    const QRectF band(0, top, area.width(), kFooterHeight - kRowHeight / 2);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, toQt(content.footerName));
    painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                     toQt(pageLabel(content.pageFormat, page, pageCount)));
}

}  // namespace

void useReportText(QPainter& painter, const QFont& font) {
    painter.setFont(font);
    painter.setPen(kInk);
}

void paintFramedChart(QPainter& painter, const QRectF& box, const QSizeF& logicalSize,
                      const ChartModel& model) {
    paintChart(painter, box, logicalSize, model);
    painter.setPen(QPen(kRule, 5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
}

QByteArray reportPdf(const std::string& creator, const std::string& title,
                     const std::function<int(QPagedPaintDevice&)>& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setCreator(toQt(creator));
        writer.setTitle(toQt(title));
        if (paint(writer) == 0) {
            return {};
        }
    }
    return buffer.data();
}

QFont reportFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

int paintReport(QPagedPaintDevice& device, const ReportDocument& document) {
    const QPageSize paper = device.pageLayout().pageSize();
    device.setPageLayout(QPageLayout(
        paper.isValid() ? paper : QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device)) {
        return 0;
    }
    const double scale = device.logicalDpiX() / kUnitsPerInch;
    const QSizeF area(device.width() / scale, device.height() / scale);
    const Pages pages = layOut(document, area);
    const int count = static_cast<int>(pages.all().size());
    for (int page = 0; page < count; ++page) {
        if (page > 0 && !device.newPage()) {
            return 0;
        }
        painter.save();
        painter.scale(scale, scale);
        for (const Paint& paint : pages.all()[static_cast<std::size_t>(page)]) {
            paint(painter);
        }
        paintFooter(painter, area, document.content, page + 1, count);
        painter.restore();
    }
    return painter.end() ? count : 0;
}

}  // namespace korvel
