#pragma once
// The header of the readings table. A column that has carried the sort mark is drawn by this
// class: button face, the caption with an ellipsis when it does not fit, and on the sort column
// a small triangle in the highlight and shadow colours, pointing up for ascending order and down
// for descending order.

#include <QHeaderView>
#include <set>

namespace korvel {

class CListHeaderCtrl : public QHeaderView {
    Q_OBJECT
  public:
    explicit CListHeaderCtrl(QWidget* parent = nullptr);

    // Stores the mark and returns the previous sort column (-1 before the first call).
    int setSortMark(int column, bool ascending);
    int sortColumn() const { return sortColumn_; }
    bool ascending() const { return ascending_; }
    // The rectangle in which the caption of a section drawn by this class stands (empty when
    // no caption fits); in the section's own coordinates.
    QRect captionRect(const QRect& section, int logicalIndex, bool pressed) const;

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void drawSortMark(QPainter& painter, const QRect& rect) const;

    int sortColumn_ = -1;
    bool ascending_ = false;
    int pressedSection_ = -1;
    std::set<int> ownerDrawn_;
};

}  // namespace korvel
