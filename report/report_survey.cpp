#include "report/report_survey.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <memory>

#include "app/text_table.h"
#include "app/ui/qt_text.h"
#include "datafile/number_text.h"
#include "dataview/chart/chart_painter.h"
#include "report/inspection_report.h"
#include "report/survey_text.h"
#include "survey/survey_comparison.h"
#include "survey/survey_layout.h"
#include "survey/survey_statistics.h"
#include "survey/thickness_units.h"

namespace korvel {
namespace {

constexpr int kThicknessDecimals = 3;
// Map geometry, in the report's tenths of a point.
constexpr double kCellHeight = 95.0;
constexpr double kMinCellWidth = 110.0;
constexpr double kMaxCellWidth = 420.0;
constexpr double kLabelWidth = 260.0;
constexpr std::size_t kRowsPerBand = 60;
constexpr std::size_t kColumnsPerBand = 40;
constexpr int kLabelPixels = 55;
constexpr double kChartHeight = 2400.0;
constexpr QSizeF kChartLogicalSize(640, 300);

using Values = std::vector<std::optional<double>>;

// What a map shows: one value per point, the points to outline, the decimals written and the
// range the shades span.
struct MapValues {
    Values values;
    std::vector<bool> outlined;
    int decimals = kThicknessDecimals;
    bool loss = false;  // large values are the worst: they get the dark shades
    double low = 0;
    double high = 0;
};

void setRange(MapValues& map) {
    bool any = false;
    for (const auto& value : map.values) {
        if (value) {
            map.low = any ? std::min(map.low, *value) : *value;
            map.high = any ? std::max(map.high, *value) : *value;
            any = true;
        }
    }
}

// Light grey for the thickest wall (or the least loss) to a darker grey for the thinnest (or the
// largest loss), so values stay legible.
QColor shadeOf(double value, const MapValues& map) {
    const double low = map.low;
    const double high = map.high;
    const double thick = high > low ? (value - low) / (high - low) : 1.0;
    const double share = map.loss ? 1.0 - thick : thick;
    const int grey = 150 + static_cast<int>(105 * std::clamp(share, 0.0, 1.0));
    return {grey, grey, grey};
}

// The marks of a cell, each also drawn alone in the legend.
enum class CellMark { Hole, Alarm, Warning, Outline };

void paintMark(QPainter& painter, const QRectF& cell, CellMark mark) {
    if (mark == CellMark::Hole) {
        painter.fillRect(cell, QBrush(Qt::darkGray, Qt::BDiagPattern));
    } else if (mark == CellMark::Outline) {
        painter.setPen(QPen(Qt::black, 14));
        painter.drawRect(cell.adjusted(7, 7, -7, -7));
    } else {
        // A filled corner for an alarm, an open one for a warning.
        const double size = std::min(cell.height(), cell.width()) * 0.4;
        const QPolygonF corner{cell.topLeft(), cell.topLeft() + QPointF(size, 0),
                               cell.topLeft() + QPointF(0, size)};
        painter.setPen(QPen(Qt::black, 3));
        painter.setBrush(mark == CellMark::Alarm ? QBrush(Qt::black) : QBrush(Qt::white));
        painter.drawPolygon(corner);
        painter.setBrush(Qt::NoBrush);
    }
}

std::optional<CellMark> alarmMark(AlarmLevel level) {
    switch (level) {
        case AlarmLevel::LowAlarm:
        case AlarmLevel::HighAlarm:
            return CellMark::Alarm;
        case AlarmLevel::LowWarning:
        case AlarmLevel::HighWarning:
            return CellMark::Warning;
        default:
            return std::nullopt;
    }
}

void paintCell(QPainter& painter, const QRectF& cell, const SurveyPoint* point,
               const MapValues& map, std::size_t index) {
    const auto& value = point ? map.values[index] : std::optional<double>();
    if (!value) {
        paintMark(painter, cell, CellMark::Hole);
    } else {
        painter.fillRect(cell, shadeOf(*value, map));
    }
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(cell);
    if (const auto mark = point ? alarmMark(point->alarm) : std::nullopt) {
        paintMark(painter, cell, *mark);
    }
    if (point && map.outlined[index]) {
        paintMark(painter, cell, CellMark::Outline);
    }
    if (value) {
        const QString text = toQt(fixedDecimals(*value, map.decimals));
        if (QFontMetricsF(painter.font()).horizontalAdvance(text) < cell.width() - 20) {
            painter.setPen(Qt::black);
            painter.drawText(cell, Qt::AlignCenter, text);
        }
    }
}

// The part of a layer one picture shows: a band of rows and a band of columns.
struct MapBand {
    std::size_t firstRow, rows, firstColumn, columns;
};

// One band of a layer, with its column labels above and its row labels at the left.
ReportPicture mapBand(const std::shared_ptr<const Survey>& survey, const SurveyLayer& layer,
                      const std::shared_ptr<const MapValues>& map, MapBand band) {
    ReportPicture picture;
    picture.height = kCellHeight * double(band.rows + 1);
    picture.paint = [survey, &layer, map, band](QPainter& painter, const QRectF& box) {
        const double cellWidth = std::clamp((box.width() - kLabelWidth) / double(band.columns),
                                            kMinCellWidth, kMaxCellWidth);
        const auto cellAt = [&](std::size_t row, std::size_t column) {
            return QRectF(box.left() + kLabelWidth + double(column) * cellWidth,
                          box.top() + kCellHeight * double(row + 1), cellWidth, kCellHeight);
        };
        useReportText(painter, reportFont(kLabelPixels));
        // The layer's name in the corner above the row labels, when there are several.
        if (survey->layers.size() > 1) {
            painter.drawText(QRectF(box.left(), box.top(), kLabelWidth - 20, kCellHeight),
                             Qt::AlignRight | Qt::AlignVCenter, toQt(layer.name));
        }
        for (std::size_t c = 0; c < band.columns; ++c) {
            painter.drawText(cellAt(0, c).translated(0, -kCellHeight), Qt::AlignCenter,
                             toQt(layer.columnLabels[band.firstColumn + c]));
        }
        for (std::size_t r = 0; r < band.rows; ++r) {
            const std::size_t row = band.firstRow + r;
            painter.setPen(Qt::black);
            painter.drawText(QRectF(box.left(), cellAt(r, 0).top(), kLabelWidth - 20, kCellHeight),
                             Qt::AlignRight | Qt::AlignVCenter, toQt(layer.rowLabels[row]));
            for (std::size_t c = 0; c < band.columns; ++c) {
                const int index = layer.at(row, band.firstColumn + c);
                const SurveyPoint* point =
                    index == kNoPoint ? nullptr : &survey->points[std::size_t(index)];
                paintCell(painter, cellAt(r, c), point, *map,
                          index == kNoPoint ? 0 : std::size_t(index));
            }
        }
    };
    return picture;
}

ChartModel sequenceChart(const Survey& survey, const MapValues& map) {
    ChartModel model;
    model.background = kChartWhite;
    model.titleColour = kChartBlack;
    // The section's heading names the chart, and its figures the unit.
    model.title = std::string();
    ChartSeries line;
    line.shown = true;
    line.colour = kChartBlack;
    const Values& values = map.values;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i]) {
            line.x.push_back(double(i + 1));
            line.y.push_back(*values[i]);
        }
    }
    model.series[0] = std::move(line);
    const double low = map.low;
    const double high = map.high;
    const double margin = high > low ? (high - low) / 10 : 0.01;
    for (ChartAxis& axis : model.axes) {
        axis.shown = false;
        axis.textColour = axis.titleColour = axis.gridColour = kChartBlack;
    }
    ChartAxis& bottom = model.axes[kAxisBottom];
    bottom.shown = true;
    bottom.low = 1;
    bottom.high = double(std::max<std::size_t>(values.size(), 2));
    bottom.crossing = low - margin;
    bottom.labelsShown = false;
    // The first and the last location at the two ends of the axis.
    bottom.title = survey.points.empty() ? std::string()
                                         : survey.points.front().location + std::string(20, ' ') +
                                               survey.points.back().location;
    ChartAxis& left = model.axes[kAxisLeft];
    left.shown = true;
    left.low = low - margin;
    left.high = high + margin;
    left.crossing = 1;
    left.grid = true;
    left.gridColour = 0x808080;
    return model;
}

ReportPicture chartPicture(ChartModel model) {
    auto shared = std::make_shared<const ChartModel>(std::move(model));
    return {kChartHeight, [shared](QPainter& painter, const QRectF& box) {
                const double width =
                    std::min(box.width(),
                             kChartHeight * kChartLogicalSize.width() / kChartLogicalSize.height());
                paintChart(painter, QRectF(box.topLeft(), QSizeF(width, box.height())),
                           kChartLogicalSize, *shared);
            }};
}

// The map of every layer in bands of rows and columns, or the chart along the locations.
// What the marks of a map mean, in a line below it.
ReportPicture legend(std::vector<std::pair<CellMark, QString>> entries) {
    return {kCellHeight * 1.5, [entries](QPainter& painter, const QRectF& box) {
                painter.setFont(reportFont(kLabelPixels));
                double x = box.left() + kLabelWidth;
                for (const auto& [mark, text] : entries) {
                    const QRectF cell(x, box.top() + kCellHeight * 0.25, kMinCellWidth * 1.5,
                                      kCellHeight);
                    painter.fillRect(cell, Qt::white);
                    paintMark(painter, cell, mark);
                    painter.setPen(QPen(Qt::black, 3));
                    painter.drawRect(cell);
                    const double textWidth = QFontMetricsF(painter.font()).horizontalAdvance(text);
                    painter.drawText(
                        QRectF(cell.right() + 40, cell.top(), textWidth + 10, kCellHeight),
                        Qt::AlignLeft | Qt::AlignVCenter, text);
                    x = cell.right() + 40 + textWidth + 160;
                }
            }};
}

void addLegend(ReportSection& section, const Survey& survey, const MapLegendCaptions& captions) {
    if (survey.shape == SurveyShape::Sequence) {
        return;
    }
    section.pictures.push_back(legend({{CellMark::Hole, captions.none},
                                       {CellMark::Alarm, captions.alarm},
                                       {CellMark::Warning, captions.warning},
                                       {CellMark::Outline, captions.outline}}));
}

// The legend of a grid's marks; the outline marks the key's figure.
void addLegend(ReportSection& section, const Survey& survey, const TextTable& texts,
               const char* outlineKey) {
    const auto caption = [&](const char* key) {
        return toQt(texts.caption(Screen::DataView, key));
    };
    addLegend(section, survey,
              {caption("IDC_STATIC_SURVEY_HOLE"), toQt(texts.message("IDS_REPORT_ALARM")),
               toQt(texts.message("IDS_REPORT_WARNING")), caption(outlineKey)});
}

void addPictures(ReportSection& section, const std::shared_ptr<const Survey>& survey,
                 const std::shared_ptr<MapValues>& map) {
    setRange(*map);
    if (survey->shape == SurveyShape::Sequence) {
        section.pictures.push_back(chartPicture(sequenceChart(*survey, *map)));
        return;
    }
    for (const SurveyLayer& layer : survey->layers) {
        for (std::size_t column = 0; column < layer.columns(); column += kColumnsPerBand) {
            const std::size_t columns = std::min(kColumnsPerBand, layer.columns() - column);
            for (std::size_t row = 0; row < layer.rows(); row += kRowsPerBand) {
                const std::size_t rows = std::min(kRowsPerBand, layer.rows() - row);
                section.pictures.push_back(
                    mapBand(survey, layer, map, {row, rows, column, columns}));
            }
        }
    }
}

std::vector<bool> outlinedPoints(std::size_t count, const std::optional<SurveyExtreme>& extreme) {
    std::vector<bool> outlined(count, false);
    if (extreme) {
        for (std::size_t point : extreme->points) {
            outlined[point] = true;
        }
    }
    return outlined;
}

// The survey's figures as the report's (label, value) rows, on one line each.
std::vector<std::pair<std::string, std::string>> reportFigures(
    const std::vector<SurveyFigure>& figures) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const auto& figure : figures) {
        QString value = figure.value;
        rows.emplace_back(fromQt(figure.caption),
                          fromQt(value.replace(QLatin1Char('\n'), QStringLiteral(", "))));
    }
    return rows;
}

ReportSection statisticsSection(const std::shared_ptr<const Survey>& survey,
                                const TextTable& texts) {
    const SurveyStatistics statistics = surveyStatistics(*survey);
    ReportSection section;
    section.heading = texts.message("IDS_REPORT_STATISTICS");
    section.figures = reportFigures(statisticsFigures(*survey, statistics.whole, texts));
    auto map = std::make_shared<MapValues>();
    map->values = thicknesses(*survey);
    map->outlined = outlinedPoints(survey->points.size(), statistics.whole.thickness.minimum);
    addPictures(section, survey, map);
    addLegend(section, *survey, texts, "IDC_STATIC_SURVEY_MINIMUM");
    return section;
}

ReportSection comparisonSection(const std::shared_ptr<const Survey>& survey,
                                const EarlierSurvey& earlier, const TextTable& texts) {
    const SurveyComparison comparison =
        compareSurveys(surveyInUnits(surveyOf(*earlier.file), initialUnits(*survey)), *survey,
                       earlier.minimumThickness);
    const std::string& earlierName = earlier.name;
    ReportSection section;
    section.heading =
        texts.caption(Screen::DataView, "IDC_STATIC_SURVEY_LOSS_SINCE") + " " + earlierName;
    section.figures = reportFigures(
        comparisonFigures(*survey, comparison, earlierName,
                          reportDateOf(earlier.file->headerValue("Last Saved")), texts));
    auto map = std::make_shared<MapValues>();
    map->values = comparison.loss;
    map->outlined = outlinedPoints(survey->points.size(), comparison.lossFigures.maximum);
    map->loss = true;
    addPictures(section, survey, map);
    addLegend(section, *survey, texts, "IDC_STATIC_SURVEY_LARGEST_LOSS");
    return section;
}

}  // namespace

void addValueMap(ReportSection& section, const std::shared_ptr<const Survey>& survey,
                 PointValues values, const MapLegendCaptions& captions) {
    auto map = std::make_shared<MapValues>();
    map->values = std::move(values.values);
    map->outlined = std::move(values.outlined);
    map->decimals = values.decimals;
    addPictures(section, survey, map);
    addLegend(section, *survey, captions);
}

std::vector<ReportSection> surveySections(const ReportSubject& subject, const TextTable& texts) {
    const Survey own = surveyOf(subject.file);
    auto survey = std::make_shared<const Survey>(
        surveyInUnits(own, subject.units.value_or(initialUnits(own))));
    const EarlierSurvey& earlier = subject.earlier;
    if (survey->points.empty()) {
        return {};
    }
    std::vector<ReportSection> sections{statisticsSection(survey, texts)};
    if (earlier.file != nullptr) {
        sections.push_back(comparisonSection(survey, earlier, texts));
    }
    return sections;
}

}  // namespace korvel
