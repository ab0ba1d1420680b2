#pragma once
// The text that "Copy Id Rows to Clipboard" puts on the clipboard: one line per selected row in
// the order shown, every column's text followed by a comma, CR LF between the lines and none
// after the last.

#include <string>
#include <vector>

namespace korvel {

class ReadingTable;

// rows: list positions, in any order; each is taken once.
std::string idRowsText(const ReadingTable& table, std::vector<int> rows);

}  // namespace korvel
