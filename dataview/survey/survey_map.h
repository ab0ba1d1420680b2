#pragma once
// The map widget: draws the survey (see survey_map_painter.h), tells the location and value
// under the mouse, and reports the reading clicked. It keeps the map as drawn, so that choosing
// another reading paints only the selection over it.

#include <QPixmap>
#include <QWidget>

#include "dataview/chart/paper_chart.h"
#include "dataview/survey/survey_map_painter.h"

namespace korvel {

class SurveyMap : public QWidget {
    Q_OBJECT
  public:
    explicit SurveyMap(QWidget* parent = nullptr);

    void setContent(SurveyMapContent content);
    void setLayer(std::size_t layer);
    void setSelectedPoint(int point);
    const SurveyMapContent& content() const { return content_; }
    std::size_t layer() const { return layer_; }
    int selectedPoint() const { return selected_; }

    // The reading under a position of the widget, or -1; its location and value as the
    // tooltip shows them (empty for none).
    int pointAt(const QPoint& position) const;
    QString hoverText(const QPoint& position) const;
    // The map as it shows now, on white, for Save, Copy and Print Graph.
    GraphPicture picture() const;

  signals:
    void pointClicked(int point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    SurveyMapContent content_;
    std::size_t layer_ = 0;
    int selected_ = -1;
    QPixmap drawn_;  // the map without the selection
};

}  // namespace korvel
