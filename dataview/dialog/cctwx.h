#pragma once
// The chart of the data view: a widget that paints a ChartModel with paintChart. The drawing
// code fills the model from the selected reading; the widget shows it, prints it on one page
// and puts its picture on the clipboard.

#include <QImage>
#include <QWidget>

#include "dataview/chart/chart_model.h"

class QPrinter;

namespace korvel {

class CCTWX : public QWidget {
    Q_OBJECT
  public:
    explicit CCTWX(QWidget* parent = nullptr);

    // Shows the model: the widget repaints with it.
    void redraw(const ChartModel& model);
    // Draws the chart on one page of the printer, as large as the page allows.
    bool printChart(QPrinter& printer);
    // Puts a picture of the chart on the clipboard.
    bool copyToClipboard();
    // The chart as it looks on screen (at its default size while the widget has none).
    QImage picture() const;
    // The size the chart is drawn at: the widget's, or its default size while it has none.
    QSizeF logicalSize() const;

    const ChartModel& model() const { return model_; }
    // How many models the widget has been given to show.
    int drawCount() const { return drawCount_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ChartModel model_;
    int drawCount_ = 0;
};

}  // namespace korvel
