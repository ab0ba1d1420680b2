#include "dataview/readings/reading_selection.h"

#include "dataview/readings/reading_table.h"

namespace korvel {

ReadingSelection selectionAt(const ReadingTable& table, int row) {
    ReadingSelection selection;
    selection.row = row;
    if (row < 0 || row >= table.rowCount()) {
        return selection;
    }
    selection.valid = true;
    selection.id = table.columnCount() > 0 ? table.text(row, 0) : std::string();
    selection.setupNumber = table.textOf(row, "Setup #");
    selection.noteNumber = table.textOf(row, "Note #");
    selection.measMode = table.textOf(row, "Meas Mode");
    selection.bscan = table.textOf(row, "B Scan");
    selection.thickness = table.textOf(row, "Thickness");
    selection.alarm = table.textOf(row, "Alarm");
    selection.ascan = table.textOf(row, "A Scan");
    return selection;
}

}  // namespace korvel
