#include "dataview/readings/id_rows_text.h"

#include <algorithm>

#include "dataview/readings/reading_table.h"

namespace korvel {

std::string idRowsText(const ReadingTable& table, std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::string text;
    for (int row : rows) {
        if (row < 0 || row >= table.rowCount()) {
            continue;
        }
        if (!text.empty()) {
            text += "\r\n";
        }
        for (int column = 0; column < table.columnCount(); ++column) {
            text += table.text(row, column);
            text += ',';
        }
    }
    return text;
}

}  // namespace korvel
