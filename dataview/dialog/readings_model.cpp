#include "dataview/dialog/readings_model.h"

#include <unordered_map>

#include "app/ui/qt_text.h"

namespace korvel {

ReadingsModel::ReadingsModel(ReadingTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), shown_(table) {}

int ReadingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.rowCount();
}

int ReadingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.columnCount();
}

QVariant ReadingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return toQt(shown_.text(index.row(), index.column()));
    }
    if (role == Qt::UserRole) {
        return table_.itemData(index.row());
    }
    return {};
}

QVariant ReadingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= table_.columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return toQt(table_.columnName(section));
}

void ReadingsModel::setUnits(std::optional<ThicknessUnits> units) {
    shown_.setUnits(units);
    if (rowCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    }
}

void ReadingsModel::sortRows(int column, bool ascending) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::unordered_map<int, int> rowOfReading;
    const QModelIndexList before = persistentIndexList();
    std::vector<int> readings;
    readings.reserve(std::size_t(before.size()));
    for (const QModelIndex& index : before) {
        readings.push_back(table_.readingIndex(index.row()));
    }
    table_.sortBy(column, ascending);
    for (int row = 0; row < table_.rowCount(); ++row) {
        rowOfReading[table_.readingIndex(row)] = row;
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        after.append(index(rowOfReading[readings[std::size_t(i)]], before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace korvel
