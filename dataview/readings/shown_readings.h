#pragma once
// The readings table's texts as they are shown and printed in the units chosen: the Thickness
// column converted, the Units column naming the units shown, every other text as the table
// holds it. Sorting, the chart and the clipboard keep reading the file's own texts.

#include <optional>
#include <string>

#include "dataview/readings/reading_table.h"
#include "survey/thickness_units.h"

namespace korvel {

class ShownReadings {
  public:
    explicit ShownReadings(const ReadingTable& table);

    // None shows every reading in its own units.
    void setUnits(std::optional<ThicknessUnits> units) { units_ = units; }
    std::optional<ThicknessUnits> units() const { return units_; }

    std::string text(int row, int column) const;

  private:
    const ReadingTable& table_;
    int thicknessColumn_ = -1;
    int unitsColumn_ = -1;
    std::optional<ThicknessUnits> units_;
};

}  // namespace korvel
