#pragma once
// A survey: the readings of one data file placed where they were taken. A 2D file's readings
// stand at their location codes (column letters, row number); a 3D file gives one layer per
// elevation and a BOILER file one layer per test point, laid out from the header's ranges in
// the order its increments give, when the readings fit those ranges; LINEAR files and every
// other file are a sequence along their location codes. A reading without a value ("--.---",
// "-", empty, or any text that is not a number) is a hole, never a zero.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "datafile/alarm_text.h"
#include "datafile/data_file.h"
#include "survey/survey_date.h"

namespace korvel {

// One reading of the survey, in file order.
struct SurveyPoint {
    std::string location;             // the reading's ID as the file holds it
    std::optional<double> thickness;  // none for a hole
    AlarmLevel alarm = AlarmLevel::None;
    std::optional<double> lowAlarm;  // the "Low Alarm" of the reading's setup, if it has one
};

// A cell without a reading.
inline constexpr int kNoPoint = -1;

// One plane of a grid: rows down, columns across, each cell the index of its point.
struct SurveyLayer {
    std::string name;  // the elevation or test point it shows; empty for a 2D file
    std::vector<std::string> columnLabels;
    std::vector<std::string> rowLabels;
    std::vector<int> cells;  // row by row: rowLabels.size() * columnLabels.size()

    std::size_t columns() const { return columnLabels.size(); }
    std::size_t rows() const { return rowLabels.size(); }
    int at(std::size_t row, std::size_t column) const { return cells[row * columns() + column]; }
};

enum class SurveyShape { Grid, Sequence };

struct Survey {
    std::string type;                // the header's "Type"
    std::string layerAxis;           // "ELEV" or "TEST PTS" for layered grids, else empty
    std::string units;               // of the first reading with a value
    std::optional<SurveyDate> date;  // "Last Saved", or "Created" when that is missing
    SurveyShape shape = SurveyShape::Sequence;
    std::vector<SurveyPoint> points;
    std::vector<SurveyLayer> layers;  // none for a sequence
};

// A grid larger than this many cells (from hostile location codes) is shown as a sequence.
inline constexpr std::size_t kMaxGridCells = 4 * kMaxReadings;

// The thickness a reading's text gives: the whole field a number, else none.
std::optional<double> thicknessValue(std::string_view text);

Survey surveyOf(const DataFile& file);

}  // namespace korvel
