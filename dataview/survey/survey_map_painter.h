#pragma once
// Drawing a survey: a grid layer as coloured cells with a legend, or a sequence as a line of
// thickness along its locations with the alarm levels. One routine serves the widget, the
// tests and the benchmarks; the geometry also answers which reading stands under a point.

#include <QFontMetrics>
#include <QRectF>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "survey/survey_layout.h"
#include "survey/survey_statistics.h"

class QPainter;

namespace korvel {

struct SurveyMapContent {
    const Survey* survey = nullptr;
    const SurveyStatistics* statistics = nullptr;  // its row and column minima are shown
    std::vector<std::optional<double>> values;     // per point: thickness, or loss
    bool loss = false;                             // the values are losses: large is dark
    std::vector<std::size_t> outlined;             // the minimum, or the largest loss
    std::optional<double> lowLevel;                // levels drawn across the line chart
    std::optional<double> highLevel;
    QString holeText = QStringLiteral("Hole");
    QString lowAlarmText = QStringLiteral("Low alarm");
    QString warningText = QStringLiteral("Warning");
    QString highAlarmText = QStringLiteral("High alarm");
    // How a value is written on the cells, the legend and the tooltip (empty: three decimals),
    // and the units the tooltip gives (empty: the survey's).
    std::function<QString(double)> valueText;
    QString valueUnits;

    QString textOf(double value) const;
};

// Where the parts of a drawing go inside its rectangle.
class SurveyMapGeometry {
  public:
    SurveyMapGeometry(const QRectF& area, const SurveyMapContent& content, std::size_t layer,
                      const QFontMetrics& metrics);

    bool grid() const { return layer_ != nullptr; }
    const SurveyLayer* layer() const { return layer_; }
    QRectF plot() const { return plot_; }
    QRectF legend() const { return legend_; }
    QRectF cell(std::size_t row, std::size_t column) const;
    // The x of a sequence's point, and the y of a value on the line chart.
    double xOf(std::size_t point) const;
    double yOf(double value) const;
    // The values the line chart's axis is labelled with: round steps (at least 0.001) over the
    // range it is drawn on, each at its own height.
    std::vector<double> axisTicks() const;
    // The reading drawn under the position, or -1.
    int pointAt(const QPointF& position) const;

  private:
    const SurveyLayer* layer_ = nullptr;
    std::size_t points_ = 0;
    QRectF plot_;
    QRectF legend_;
    double low_ = 0, high_ = 1;  // the line chart's value range
};

void paintSurveyMap(QPainter& painter, const QRectF& area, const SurveyMapContent& content,
                    std::size_t layer, int selectedPoint);
// Only the selection paintSurveyMap draws, over a map painted without one (-1).
void paintSurveySelection(QPainter& painter, const QRectF& area, const SurveyMapContent& content,
                          std::size_t layer, int selectedPoint);

}  // namespace korvel
