#pragma once
// "Thinnest..." of the history page: the N locations with the lowest latest thickness, or the
// N due first, with their thickness in the units shown, next inspection and remaining life; a
// double-click (or Enter) on a row goes to that location. The window stays open beside the page.

#include <QDialog>
#include <cstddef>
#include <vector>

#include "history/history_figures.h"
#include "survey/thickness_units.h"

class QComboBox;
class QSpinBox;
class QTreeWidget;

namespace korvel {

class TextTable;

// Indexes into the figures' locations: the lowest latest thickness first, or the earliest next
// inspection first (equals in the order the locations first appear); at most count.
std::vector<std::size_t> lowestLocations(const history::AssetFigures& figures, std::size_t count);
std::vector<std::size_t> dueFirstLocations(const history::AssetFigures& figures, std::size_t count);

class HistoryThinnestDialog : public QDialog {
    Q_OBJECT
  public:
    HistoryThinnestDialog(const TextTable& texts, QWidget* parent = nullptr);

    // The figures listed (kept by reference until the next call), in the units shown.
    void setFigures(const history::AssetFigures& figures, ThicknessUnits shown);
    void setCount(int count);
    void setDueFirst(bool dueFirst);

    const std::vector<std::size_t>& locations() const { return locations_; }
    QTreeWidget* list() const { return list_; }

  signals:
    void locationChosen(std::size_t location);

  private:
    void fill();

    const TextTable& texts_;
    const history::AssetFigures* figures_ = nullptr;
    ThicknessUnits shown_ = ThicknessUnits::Inches;
    std::vector<std::size_t> locations_;
    QComboBox* order_ = nullptr;
    QSpinBox* count_ = nullptr;
    QTreeWidget* list_ = nullptr;
};

}  // namespace korvel
