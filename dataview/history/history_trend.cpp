#include "dataview/history/history_trend.h"

#include <QDate>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "dataview/chart/plot_bounds.h"
#include "survey/survey_date.h"

namespace korvel {

namespace {

// Colours that readers with any colour vision tell apart; the lines differ in pattern too.
const QColor kValueInk(0, 0, 0);
const QColor kLongTermInk(0, 114, 178);
const QColor kShortTermInk(213, 94, 0);
const QColor kRegressionInk(0, 158, 115);
const QColor kReachInk(204, 121, 167);
const QColor kSelectionInk(230, 159, 0);
constexpr double kMarginFactor = 0.08;
constexpr double kGap = 4;
constexpr double kPickDistance = 10;

ThicknessUnits unitsOf(const std::string& units) {
    return parseThicknessUnits(units).value_or(ThicknessUnits::Inches);
}

TrendLine lineThrough(const QString& name, const history::DatedValue& from,
                      const history::DatedValue& to, const QColor& colour, Qt::PenStyle style,
                      double factor) {
    return {name,
            static_cast<double>(from.dateMinutes),
            from.value * factor,
            static_cast<double>(to.dateMinutes),
            to.value * factor,
            colour,
            style};
}

// The least-squares line through the values that count, over their dates.
std::optional<TrendLine> regressionLine(const std::vector<TrendPoint>& points,
                                        const QString& name) {
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0, first = 0, last = 0;
    for (const TrendPoint& point : points) {
        if (point.excluded) {
            continue;
        }
        first = n == 0 ? point.minutes : first;
        last = point.minutes;
        n += 1;
        sx += point.minutes;
        sy += point.value;
        sxx += point.minutes * point.minutes;
        sxy += point.minutes * point.value;
    }
    const double spread = n * sxx - sx * sx;
    if (n < 3 || spread <= 0) {
        return std::nullopt;
    }
    const double slope = (n * sxy - sx * sy) / spread;
    const double intercept = (sy - slope * sx) / n;
    return TrendLine{
        name,           first,       intercept + slope * first, last, intercept + slope * last,
        kRegressionInk, Qt::DashLine};
}

void settleRanges(TrendModel& model) {
    PlotBounds bounds;
    for (const TrendPoint& point : model.points) {
        bounds.take(point.minutes, point.value);
    }
    if (model.required && bounds.any) {
        bounds.take(bounds.lowX, *model.required);
    }
    if (model.reachMinutes && model.required) {
        bounds.take(*model.reachMinutes, *model.required);
    }
    if (!bounds.any) {
        return;
    }
    const double padX = std::max((bounds.highX - bounds.lowX) * kMarginFactor, kMinutesPerYear / 4);
    const double padY = std::max((bounds.highY - bounds.lowY) * kMarginFactor, 0.001);
    model.lowMinutes = bounds.lowX - padX;
    model.highMinutes = bounds.highX + padX;
    model.lowValue = bounds.lowY - padY;
    model.highValue = bounds.highY + padY;
}

struct Axes {
    QRectF plot;
    const TrendModel& model;
    double x(double minutes) const {
        return plot.left() +
               (minutes - model.lowMinutes) / (model.highMinutes - model.lowMinutes) * plot.width();
    }
    double y(double value) const {
        return plot.bottom() -
               (value - model.lowValue) / (model.highValue - model.lowValue) * plot.height();
    }
};

long long minutesOfNewYear(int year) {
    return QDate(1970, 1, 1).daysTo(QDate(year, 1, 1)) * 24LL * 60;
}

void drawAxes(QPainter& painter, const Axes& axes) {
    const QFontMetrics metrics = painter.fontMetrics();
    painter.setPen(Qt::black);
    painter.drawRect(axes.plot);
    // Whole years along the bottom, as many as fit.
    const int first =
        QDate(1970, 1, 1).addDays(static_cast<qint64>(axes.model.lowMinutes / 1440)).year();
    const int last =
        QDate(1970, 1, 1).addDays(static_cast<qint64>(axes.model.highMinutes / 1440)).year();
    const double yearWidth = axes.x(minutesOfNewYear(first + 1)) - axes.x(minutesOfNewYear(first));
    const int step = std::max(
        1,
        static_cast<int>(std::ceil((metrics.horizontalAdvance(QStringLiteral("0000")) + 2 * kGap) /
                                   std::max(yearWidth, 1.0))));
    for (int year = first + 1; year <= last; year += step) {
        const double x = axes.x(static_cast<double>(minutesOfNewYear(year)));
        painter.drawLine(QPointF(x, axes.plot.bottom()), QPointF(x, axes.plot.bottom() + 3));
        painter.drawText(QRectF(x - 30, axes.plot.bottom() + 3, 60, metrics.height()),
                         Qt::AlignCenter, QString::number(year));
    }
    const double range = axes.model.highValue - axes.model.lowValue;
    const double magnitude = std::pow(10.0, std::floor(std::log10(std::max(range / 4, 1e-6))));
    double tick = magnitude;
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * magnitude >= range / 5) {
            tick = factor * magnitude;
            break;
        }
    }
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(tick))), 0, 4);
    for (double value = std::ceil(axes.model.lowValue / tick) * tick; value <= axes.model.highValue;
         value += tick) {
        const double y = axes.y(value);
        painter.drawLine(QPointF(axes.plot.left() - 3, y), QPointF(axes.plot.left(), y));
        painter.drawText(
            QRectF(0, y - metrics.height() / 2.0, axes.plot.left() - kGap, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(value, 'f', decimals));
    }
}

void drawLines(QPainter& painter, const Axes& axes) {
    const TrendModel& model = axes.model;
    painter.save();
    painter.setClipRect(axes.plot);
    for (const TrendLine& line : model.lines) {
        painter.setPen(QPen(line.colour, 2, line.style));
        painter.drawLine(QPointF(axes.x(line.fromMinutes), axes.y(line.fromValue)),
                         QPointF(axes.x(line.toMinutes), axes.y(line.toValue)));
    }
    if (model.required) {
        const double y = axes.y(*model.required);
        painter.setPen(QPen(Qt::black, 1.5, Qt::DashDotLine));
        painter.drawLine(QPointF(axes.plot.left(), y), QPointF(axes.plot.right(), y));
    }
    if (model.reachMinutes) {
        const double x = axes.x(*model.reachMinutes);
        painter.setPen(QPen(kReachInk, 1.5, Qt::DotLine));
        painter.drawLine(QPointF(x, axes.plot.top()), QPointF(x, axes.plot.bottom()));
    }
    painter.restore();
}

void drawPoints(QPainter& painter, const Axes& axes) {
    const TrendModel& model = axes.model;
    for (std::size_t i = 0; i < model.points.size(); ++i) {
        const TrendPoint& point = model.points[i];
        const QPointF at(axes.x(point.minutes), axes.y(point.value));
        if (point.excluded) {  // an open cross: left out of the figures
            painter.setPen(QPen(kValueInk, 2));
            painter.drawLine(at + QPointF(-5, -5), at + QPointF(5, 5));
            painter.drawLine(at + QPointF(-5, 5), at + QPointF(5, -5));
        } else {
            painter.setPen(QPen(kValueInk, 1));
            painter.setBrush(kValueInk);
            painter.drawEllipse(at, 4, 4);
        }
        if (static_cast<int>(i) == model.selected) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(kSelectionInk, 2, Qt::DashLine));
            painter.drawEllipse(at, 9, 9);
        }
    }
    painter.setBrush(Qt::NoBrush);
}

// Each line's name in its own pattern, in a row above the plot (wrapping when narrow).
void drawKey(QPainter& painter, const QRectF& area, const Axes& axes) {
    const TrendModel& model = axes.model;
    const QFontMetrics metrics = painter.fontMetrics();
    struct Entry {
        QString text;
        QPen pen;
        bool cross;
    };
    std::vector<Entry> entries;
    for (const TrendLine& line : model.lines) {
        entries.push_back({line.name, QPen(line.colour, 2, line.style), false});
    }
    if (model.required) {
        entries.push_back({model.requiredText, QPen(Qt::black, 1.5, Qt::DashDotLine), false});
    }
    if (std::any_of(model.points.begin(), model.points.end(),
                    [](const TrendPoint& p) { return p.excluded; })) {
        entries.push_back({model.excludedText, QPen(kValueInk, 2), true});
    }
    double x = area.left() + kGap;
    double y = area.top() + metrics.height() + 2;
    for (const Entry& entry : entries) {
        const double width = 24 + kGap + metrics.horizontalAdvance(entry.text) + 3 * kGap;
        if (x + width > area.right() && x > area.left() + kGap) {
            x = area.left() + kGap;
            y += metrics.height();
        }
        const double middle = y + metrics.height() / 2.0;
        painter.setPen(entry.pen);
        if (entry.cross) {
            painter.drawLine(QPointF(x + 7, middle - 5), QPointF(x + 17, middle + 5));
            painter.drawLine(QPointF(x + 7, middle + 5), QPointF(x + 17, middle - 5));
        } else {
            painter.drawLine(QPointF(x, middle), QPointF(x + 24, middle));
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + 24 + kGap, y, width, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, entry.text);
        x += width;
    }
}

}  // namespace

TrendModel trendModel(const std::string& location, const history::LocationHistory& history,
                      const history::LocationFigures& figures, std::optional<double> required,
                      ThicknessUnits shown, const TrendTexts& texts) {
    TrendModel model;
    const double factor = convertThickness(1.0, unitsOf(history.units), shown);
    model.title = QString::fromStdString(location) + QStringLiteral(" (") +
                  QString::fromUtf8(unitsText(shown).data(), unitsText(shown).size()) +
                  QStringLiteral(")");
    model.requiredText = texts.required;
    model.reachText = texts.reaches;
    model.excludedText = texts.excluded;
    for (const history::HistoryPoint& point : history.points) {
        if (point.value) {
            model.points.push_back({point.survey, static_cast<double>(point.dateMinutes),
                                    *point.value * factor, point.excluded,
                                    QString::fromStdString(point.note)});
        }
    }
    if (figures.initial && figures.actual && figures.values >= 2) {
        model.lines.push_back(lineThrough(texts.longTerm, *figures.initial, *figures.actual,
                                          kLongTermInk, Qt::SolidLine, factor));
    }
    if (figures.previous && figures.actual && figures.values >= 3) {
        model.lines.push_back(lineThrough(texts.shortTerm, *figures.previous, *figures.actual,
                                          kShortTermInk, Qt::SolidLine, factor));
    }
    if (auto regression = regressionLine(model.points, texts.regression)) {
        model.lines.push_back(*regression);
    }
    if (required) {
        model.required = *required * factor;
    }
    if (required && figures.actual && figures.governingRate && *figures.governingRate > 0 &&
        figures.actual->value > *required) {
        const double years = (figures.actual->value - *required) / *figures.governingRate;
        model.reachMinutes =
            static_cast<double>(figures.actual->dateMinutes) + years * kMinutesPerYear;
        model.lines.push_back({texts.reaches, static_cast<double>(figures.actual->dateMinutes),
                               figures.actual->value * factor, *model.reachMinutes, *model.required,
                               kReachInk, Qt::DotLine});
        model.reachText =
            texts.reaches + QStringLiteral(" ") +
            QString::fromStdString(isoDateText(static_cast<long long>(*model.reachMinutes)));
        model.lines.back().name = model.reachText;
    }
    if (model.points.empty()) {
        model.notice = texts.noValues;
    } else {
        model.selected = static_cast<int>(model.points.size()) - 1;
    }
    settleRanges(model);
    return model;
}

QRectF trendPlot(const QRectF& area, double lineHeight) {
    const double left = area.left() + 7 * lineHeight / 2 + kGap;
    const double top = area.top() + 3 * lineHeight + 4;
    return QRectF(left, top, std::max(area.right() - left - 2 * kGap, 1.0),
                  std::max(area.bottom() - top - lineHeight - 6, 1.0));
}

int trendPointAt(const TrendModel& model, const QRectF& area, double lineHeight,
                 const QPointF& position) {
    const Axes axes{trendPlot(area, lineHeight), model};
    int nearest = -1;
    double best = kPickDistance;
    for (std::size_t i = 0; i < model.points.size(); ++i) {
        const QPointF at(axes.x(model.points[i].minutes), axes.y(model.points[i].value));
        const double distance = std::hypot(at.x() - position.x(), at.y() - position.y());
        if (distance <= best) {
            best = distance;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

void paintTrend(QPainter& painter, const QRectF& area, const TrendModel& model) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QFontMetrics metrics = painter.fontMetrics();
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, model.title);
    const Axes axes{trendPlot(area, metrics.height()), model};
    if (model.points.empty()) {
        painter.drawRect(axes.plot);
        painter.drawText(axes.plot, Qt::AlignCenter | Qt::TextWordWrap, model.notice);
        painter.restore();
        return;
    }
    drawAxes(painter, axes);
    drawLines(painter, axes);
    drawPoints(painter, axes);
    drawKey(painter, area, axes);
    painter.restore();
}

}  // namespace korvel
