#include "dataview/readings/shown_readings.h"

namespace korvel {

ShownReadings::ShownReadings(const ReadingTable& table) : table_(table) {
    for (int column = 0; column < table.columnCount(); ++column) {
        if (table.columnName(column) == "Thickness") {
            thicknessColumn_ = column;
        } else if (table.columnName(column) == "Units") {
            unitsColumn_ = column;
        }
    }
}

std::string ShownReadings::text(int row, int column) const {
    const std::string& text = table_.text(row, column);
    if (!units_ || (column != thicknessColumn_ && column != unitsColumn_)) {
        return text;
    }
    const std::string& fileUnits = table_.textOf(row, "Units");
    return column == thicknessColumn_ ? shownThicknessText(text, fileUnits, *units_)
                                      : shownUnitsText(fileUnits, *units_);
}

}  // namespace korvel
