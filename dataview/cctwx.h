#pragma once
// The chart of the data view: a widget that keeps a ChartModel and draws it with paintChart.
// Its members are the operations the data view asks of a chart: axis settings by index, series
// slots with their points and looks, the title, redraw, print and copy. Every call is recorded;
// the record of the last finished draw (up to its redraw) stays available for tests.

#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

#include "dataview/chart_call.h"
#include "dataview/chart_model.h"

class QPrinter;

namespace korvel {

class CCTWX : public QWidget {
    Q_OBJECT
  public:
    explicit CCTWX(QWidget* parent = nullptr);

    void setAxisLow(int axis, double value);
    void setAxisHigh(int axis, double value);
    void setAxisShown(int axis, bool shown);
    void setAxisLabelsShown(int axis, bool shown);
    void setAxisCrossing(int axis, double value);
    void setAxisTextColour(int axis, ChartColour colour);
    void setAxisDivisions(int axis, int count);
    void setAxisAutoScale(int axis, bool on);
    void setAxisTitle(int axis, const std::string& title);
    void setAxisTitleColour(int axis, ChartColour colour);
    void setAxisTitleSize(int axis, int size);
    void setAxisGrid(int axis, bool shown);
    void setAxisGridColour(int axis, ChartColour colour);

    // Only title line 0 is drawn.
    void setTitle(int line, const std::string& title);
    void setTitleColour(int line, ChartColour colour);

    void setSeriesStyle(int slot, SeriesStyle style);
    void setSeriesFilled(int slot, bool filled);
    void setSeriesColour(int slot, ChartColour colour);
    void setSeriesLineWidth(int slot, int width);
    void setSeriesPointColour(int slot, ChartColour colour);
    void setSeriesPointShape(int slot, int shape);
    void setSeriesPointSize(int slot, int size);
    void setSeriesShown(int slot, bool shown);
    // Replaces the slot's points by the first count pairs (none when count is below 1).
    void loadSeries(int slot, const std::string& name, const std::vector<double>& x,
                    const std::vector<double>& y, int count);

    // Ends a draw: the widget repaints with the new settings.
    void redraw();
    // Draws the chart on one page of the printer, as large as the page allows.
    bool printChart(QPrinter& printer);
    // Puts a picture of the chart on the clipboard.
    bool copyToClipboard();
    // The chart as it looks on screen (at its default size while the widget has none).
    QImage picture() const;
    // The size the chart is drawn at: the widget's, or its default size while it has none.
    QSizeF logicalSize() const;

    const ChartModel& model() const { return model_; }
    // The calls of the last finished draw, its redraw included.
    const std::vector<ChartCall>& lastDrawCalls() const { return lastDraw_; }
    int drawCount() const { return drawCount_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void record(ChartOp op, int index, double value = 0.0, std::string text = {});
    ChartAxis* axisAt(int axis);
    template <typename T>
    void setAxis(int axis, ChartOp op, T ChartAxis::*field, T value) {
        record(op, axis, double(value));
        if (ChartAxis* target = axisAt(axis)) {
            target->*field = value;
        }
    }
    template <typename T>
    void setSeries(int slot, ChartOp op, T ChartSeries::*field, T value) {
        record(op, slot, double(value));
        seriesAt(slot).*field = value;
    }
    ChartSeries& seriesAt(int slot) { return model_.series[slot]; }

    ChartModel model_;
    std::vector<ChartCall> pending_;
    std::vector<ChartCall> lastDraw_;
    int drawCount_ = 0;
};

}  // namespace korvel
