#pragma once
// "Thinnest...": the lowest readings of the survey shown, as many as asked for, with their
// locations and thicknesses in the units shown; a double-click (or Enter) on a row goes to that
// reading. The window stays open beside the data view.

#include <QDialog>
#include <cstddef>
#include <vector>

#include "survey/survey_layout.h"

class QSpinBox;
class QTreeWidget;

namespace korvel {

class TextTable;

class ThinnestDialog : public QDialog {
    Q_OBJECT
  public:
    ThinnestDialog(const TextTable& texts, QWidget* parent = nullptr);

    // The survey listed (kept by reference until the next call).
    void setSurvey(const Survey& survey);
    // Lists the `count` thinnest readings.
    void setCount(int count);

    // The points listed, thinnest first.
    const std::vector<std::size_t>& points() const { return points_; }
    QSpinBox* countBox() const { return count_; }
    QTreeWidget* list() const { return list_; }

  signals:
    void pointChosen(int point);

  private:
    void fill();
    void choose();

    const TextTable& texts_;
    const Survey* survey_ = nullptr;
    std::vector<std::size_t> points_;
    QSpinBox* count_ = nullptr;
    QTreeWidget* list_ = nullptr;
};

}  // namespace korvel
