#pragma once
// The texts of the selected reading that the setup list, the notes and the chart work from.

#include <string>

namespace korvel {

class ReadingTable;

struct ReadingSelection {
    int row = 0;         // list position
    bool valid = false;  // false before the first selection and in an empty table
    std::string id;
    std::string setupNumber;
    std::string noteNumber;
    std::string measMode;
    std::string bscan;
    std::string thickness;
    std::string alarm;
    std::string ascan;
};

// The displayed texts of the row; columns the table does not have read as empty texts.
ReadingSelection selectionAt(const ReadingTable& table, int row);

}  // namespace korvel
