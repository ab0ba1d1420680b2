#pragma once
// The trend widget: paints the trend model it is given (see history_trend.h) and reports the
// point clicked.

#include <QWidget>

#include "dataview/history/history_trend.h"

namespace korvel {

class TrendChart : public QWidget {
    Q_OBJECT
  public:
    explicit TrendChart(QWidget* parent = nullptr);

    void setModel(TrendModel model);
    const TrendModel& model() const { return model_; }
    void setSelected(int point);
    int pointAt(const QPoint& position) const;

  signals:
    void pointClicked(int point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    TrendModel model_;
};

}  // namespace korvel
