#pragma once
// The trend widget: paints the location's trend it is given (a chart model laid out for a
// size, report/history_trend.h), rings the value chosen and reports the value clicked. When
// its size changes it says so, so that the trend is laid out again for the new size; until then
// it paints the one it has, scaled.

#include <QWidget>

#include "report/history_trend.h"

namespace korvel {

class TrendChart : public QWidget {
    Q_OBJECT
  public:
    explicit TrendChart(QWidget* parent = nullptr);

    void setTrend(LocationTrend trend);
    const LocationTrend& trend() const { return trend_; }
    // The size to lay a trend out for: the widget's, at least its minimum.
    QSizeF chartSize() const;
    void setSelected(int value);
    // The value drawn nearest the position (-1: none near).
    int pointAt(const QPoint& position) const;

  signals:
    void pointClicked(int value);
    void resized();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    LocationTrend trend_;
};

}  // namespace korvel
