#pragma once
// The readings as the table shows them: one column per named reading column, one row per
// reading, in file order until the table is sorted. Every lookup by column name reads the
// displayed texts, the way the view reads its list.

#include <string>
#include <string_view>
#include <vector>

#include "datafile/data_file.h"

namespace korvel {

class ReadingTable {
  public:
    explicit ReadingTable(const DataFile& file);

    int rowCount() const { return static_cast<int>(order_.size()); }
    int columnCount() const { return static_cast<int>(columns_.size()); }
    const std::string& columnName(int column) const;
    // The displayed text; empty where the reading row is shorter than the column line.
    const std::string& text(int row, int column) const;
    // The text in the column of that exact name; empty when there is no such column.
    const std::string& textOf(int row, std::string_view name) const;
    // The reading shown at the row (rows of the file count from 0).
    int readingIndex(int row) const { return order_[static_cast<std::size_t>(row)]; }
    const Reading& reading(int row) const;
    // The row that shows the reading, or -1.
    int rowOfReading(int readingIndex) const;
    // The row's item data: the leading number of its ID.
    int itemData(int row) const;

    // Sorts all rows by the column's text, without regard to case; equal texts keep their order.
    // By Thickness, holes come last whichever the direction.
    void sortBy(int column, bool ascending);

  private:
    struct Column {
        std::string name;
        std::size_t field;  // position in the reading column line
    };

    const DataFile& file_;
    std::vector<Column> columns_;
    std::vector<int> order_;
};

// Comparison of two texts by ASCII letters without regard to case.
int compareNoCase(std::string_view a, std::string_view b);

}  // namespace korvel
