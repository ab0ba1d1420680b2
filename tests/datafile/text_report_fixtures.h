#pragma once
// Small data files for the export and import tests.

#include <string>
#include <vector>

#include "datafile/data_file.h"
#include "datafile/field_split.h"

namespace korvel::test {

inline Reading readingRow(const std::string& id, const std::string& thickness,
                          const std::string& units = "IN") {
    return {{id, thickness, units, "OFF", "OFF", "STD", "OFF", "0", "1", "STD", "OFF", "OFF"},
            std::nullopt};
}

inline DataFile layoutFile(const std::vector<std::pair<const char*, std::string>>& header,
                           const std::string& units = "IN") {
    DataFile file;
    for (const auto& [name, value] : header) {
        file.headerNames.emplace_back(name);
        file.headerValues.push_back(value);
    }
    file.readingColumns = splitFields(kReadingColumnLine);
    file.setupColumns = {"Setup #", "Units", "Velocity", "Transducer"};
    file.setups = {{"1", "MM", "5.000", "OLD"}, {"2", units, "0.2330", "D790"}};
    return file;
}

inline DataFile linearFile(int count, const std::string& units = "IN") {
    return layoutFile({{"Filename", "PIPE1.CSV"},
                       {"Type", "LINEAR"},
                       {"Start Row", "1"},
                       {"End Row", std::to_string(count)},
                       {"# ID", std::to_string(count)},
                       {"# Setup", "2"},
                       {"# Notes", "0"},
                       {"Created", "12/07/2026 09:05 PM"},
                       {"Last Saved", "12/08/2026 10:15 AM"}},
                      units);
}

// Columns A.. and rows 1.., readings stored in the order the 1st Inc says.
inline DataFile gridFile(int columns, int rows, const std::string& firstInc,
                         const std::vector<std::string>& values, const std::string& units = "IN") {
    DataFile file = layoutFile({{"Filename", "GRID1.CSV"},
                                {"Type", "2D"},
                                {"Start Col", "A"},
                                {"Start Row", "1"},
                                {"End Col", std::string(1, static_cast<char>('A' + columns - 1))},
                                {"End Row", std::to_string(rows)},
                                {"1st Inc", firstInc},
                                {"# ID", std::to_string(columns * rows)},
                                {"# Setup", "2"},
                                {"# Notes", "0"},
                                {"Created", "12/07/2026 09:05 PM"},
                                {"Last Saved", "12/08/2026 10:15 AM"}},
                               units);
    // values are given row by row; COL files store them so, ROW files column by column.
    const bool rowByRow = firstInc == "COL";
    for (int outer = 0; outer < (rowByRow ? rows : columns); ++outer) {
        for (int inner = 0; inner < (rowByRow ? columns : rows); ++inner) {
            const int column = rowByRow ? inner : outer;
            const int row = rowByRow ? outer : inner;
            const std::string id =
                std::string(1, static_cast<char>('A' + column)) + "000" + std::to_string(row + 1);
            file.readings.push_back(readingRow(id, values[row * columns + column], units));
        }
    }
    return file;
}

}  // namespace korvel::test
