#pragma once
// The readings table's item model: the ReadingTable's rows and columns, the row's item data
// under Qt::UserRole, thicknesses in the units shown. Sorting moves the rows and keeps each
// row's selection with it.

#include <QAbstractTableModel>

#include "dataview/readings/reading_table.h"
#include "dataview/readings/shown_readings.h"

namespace korvel {

class ReadingsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    ReadingsModel(ReadingTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void sortRows(int column, bool ascending);
    // Shows the thicknesses in these units (none: each reading's own).
    void setUnits(std::optional<ThicknessUnits> units);

  private:
    ReadingTable& table_;
    ShownReadings shown_;
};

}  // namespace korvel
