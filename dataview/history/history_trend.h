#pragma once
// The trend of one location as a model: every value against its date (excluded ones marked),
// the long-term, short-term and regression lines, the required thickness and where the
// governing rate reaches it. trendModel() fills it from the location's readings and figures;
// paintTrend() draws it for the screen and for pictures, so the drawing is tested without a
// widget.

#include <QColor>
#include <QRectF>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "history/history_figures.h"
#include "history/inspection_history.h"
#include "survey/thickness_units.h"

class QPainter;

namespace korvel {

struct TrendPoint {
    long long survey = 0;
    double minutes = 0;
    double value = 0;
    bool excluded = false;
    QString note;
};

struct TrendLine {
    QString name;
    double fromMinutes = 0, fromValue = 0, toMinutes = 0, toValue = 0;
    QColor colour;
    Qt::PenStyle style = Qt::SolidLine;
};

struct TrendModel {
    QString title;
    QString notice;  // said across the plot when there is nothing to draw
    std::vector<TrendPoint> points;
    std::vector<TrendLine> lines;
    std::optional<double> required;
    QString requiredText;
    std::optional<double> reachMinutes;  // the date the governing rate reaches the required
    QString reachText;
    QString excludedText;
    int selected = -1;  // the point chosen for Exclude... and Include...
    double lowMinutes = 0, highMinutes = 1, lowValue = 0, highValue = 1;
};

struct TrendTexts {
    QString longTerm, shortTerm, regression, required, reaches, excluded, noValues;
};

// The location's points (in the asset's units, as the history gives them) shown in the units
// chosen; the figures give the lines.
TrendModel trendModel(const std::string& location, const history::LocationHistory& history,
                      const history::LocationFigures& figures, std::optional<double> required,
                      ThicknessUnits shown, const TrendTexts& texts);

// Where the plot goes inside the area, and the point drawn nearest a position (-1: none near).
QRectF trendPlot(const QRectF& area, double lineHeight);
int trendPointAt(const TrendModel& model, const QRectF& area, double lineHeight,
                 const QPointF& position);

void paintTrend(QPainter& painter, const QRectF& area, const TrendModel& model);

}  // namespace korvel
