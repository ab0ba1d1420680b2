#include "survey/survey_layout.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "app/text_rules.h"
#include "datafile/letter_code.h"
#include "datafile/location_value.h"
#include "datafile/number_text.h"

namespace korvel {

namespace {

using Labels = std::vector<std::string>;

std::optional<double> setupLowAlarm(const DataFile& file, std::string_view setupText) {
    const int setup = leadingNumber(setupText);
    if (setup < 1 || static_cast<std::size_t>(setup) > file.setups.size()) {
        return std::nullopt;
    }
    return thicknessValue(file.setupField(file.setups[setup - 1], "Low Alarm"));
}

std::vector<SurveyPoint> pointsOf(const DataFile& file) {
    const auto id = std::optional<std::size_t>(0);
    const auto thickness = file.readingColumn("Thickness");
    const auto alarm = file.readingColumn("Alarm");
    const auto setup = file.readingColumn("Setup #");
    std::vector<SurveyPoint> points;
    points.reserve(file.readings.size());
    for (const auto& reading : file.readings) {
        points.push_back({std::string(fieldAtColumn(reading, id)),
                          thicknessValue(fieldAtColumn(reading, thickness)),
                          alarmLevelOf(fieldAtColumn(reading, alarm)),
                          setupLowAlarm(file, fieldAtColumn(reading, setup))});
    }
    return points;
}

std::string unitsOf(const DataFile& file, const std::vector<SurveyPoint>& points) {
    const auto units = file.readingColumn("Units");
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].thickness) {
            return std::string(fieldAtColumn(file.readings[i], units));
        }
    }
    return {};
}

Labels numberLabels(long first, long last, bool letters) {
    Labels labels;
    for (long value = first; value <= last; ++value) {
        labels.push_back(letters && value <= kLargestLetterCode
                             ? letterCodeText(static_cast<int>(value))
                             : std::to_string(value));
    }
    return labels;
}

// The labels of a start/end pair of the header: both numbers or both letter codes, in order.
std::optional<Labels> rangeLabels(const DataFile& file, std::string_view start,
                                  std::string_view end) {
    const LocationValue first = parseLocationValue(file.headerValue(start));
    const LocationValue last = parseLocationValue(file.headerValue(end));
    if (!first.valid() || first.kind != last.kind || first.value > last.value) {
        return std::nullopt;
    }
    return numberLabels(first.value, last.value, first.kind == LocationKind::Letters);
}

// A 2D location code: one or two column letters, then the row number's digits.
std::optional<std::pair<long, long>> gridLocation(std::string_view id) {
    std::size_t letters = 0;
    while (letters < id.size() && id[letters] >= 'A' && id[letters] <= 'Z') {
        ++letters;
    }
    long row = 0;
    const char* digits = id.data() + letters;
    const auto parsed = std::from_chars(digits, id.data() + id.size(), row);
    if (letters == 0 || letters > 2 || parsed.ec != std::errc() ||
        parsed.ptr != id.data() + id.size() || digits == parsed.ptr || row < 1) {
        return std::nullopt;
    }
    return std::pair<long, long>{letterCodeValue(id.substr(0, letters)), row};
}

struct Extent {
    long firstColumn = 0, lastColumn = -1, firstRow = 0, lastRow = -1;

    void include(long column, long row) {
        if (lastColumn < firstColumn) {
            firstColumn = lastColumn = column;
            firstRow = lastRow = row;
            return;
        }
        firstColumn = std::min(firstColumn, column);
        lastColumn = std::max(lastColumn, column);
        firstRow = std::min(firstRow, row);
        lastRow = std::max(lastRow, row);
    }
    bool covers(const Extent& other) const {
        return firstColumn <= other.firstColumn && lastColumn >= other.lastColumn &&
               firstRow <= other.firstRow && lastRow >= other.lastRow;
    }
    std::size_t cells() const {
        return static_cast<std::size_t>(lastColumn - firstColumn + 1) *
               static_cast<std::size_t>(lastRow - firstRow + 1);
    }
};

// The header's ranges, when they are valid.
std::optional<Extent> headerExtent(const DataFile& file) {
    const LocationValue columns[] = {parseLocationValue(file.headerValue("Start Col")),
                                     parseLocationValue(file.headerValue("End Col"))};
    const LocationValue rows[] = {parseLocationValue(file.headerValue("Start Row")),
                                  parseLocationValue(file.headerValue("End Row"))};
    if (!columns[0].valid() || !columns[1].valid() || !rows[0].valid() || !rows[1].valid() ||
        columns[0].value > columns[1].value || rows[0].value > rows[1].value) {
        return std::nullopt;
    }
    return Extent{columns[0].value, columns[1].value, rows[0].value, rows[1].value};
}

std::optional<SurveyLayer> grid2D(const DataFile& file, const std::vector<SurveyPoint>& points) {
    std::vector<std::pair<long, long>> places;
    Extent extent;
    for (const auto& point : points) {
        const auto place = gridLocation(point.location);
        if (!place) {
            return std::nullopt;
        }
        places.push_back(*place);
        extent.include(place->first, place->second);
    }
    // The header's ranges when they hold every reading, also when there is none yet: a file
    // without readings shows its empty grid.
    const auto header = headerExtent(file);
    if (header && (places.empty() || header->covers(extent))) {
        extent = *header;
    } else if (places.empty()) {
        return std::nullopt;
    }
    if (extent.cells() > kMaxGridCells) {
        return std::nullopt;
    }
    SurveyLayer layer;
    layer.columnLabels = numberLabels(extent.firstColumn, extent.lastColumn, true);
    layer.rowLabels = numberLabels(extent.firstRow, extent.lastRow, false);
    layer.cells.assign(extent.cells(), kNoPoint);
    for (std::size_t i = 0; i < places.size(); ++i) {
        int& cell = layer.cells[(places[i].second - extent.firstRow) * layer.columns() +
                                (places[i].first - extent.firstColumn)];
        if (cell == kNoPoint) {  // a repeated location shows its first reading
            cell = static_cast<int>(i);
        }
    }
    return layer;
}

// Three axes named by their increment words; readings fill them in file order, the first
// increment's axis advancing fastest.
struct LayeredAxes {
    std::array<std::string, 3> names;  // layer, row, column
    std::array<Labels, 3> labels;
};

std::optional<std::array<std::size_t, 3>> incrementOrder(const DataFile& file,
                                                         const LayeredAxes& axes) {
    const std::string first = asciiUpper(trimmed(file.headerValue("1st Inc")));
    const std::string second = asciiUpper(trimmed(file.headerValue("2nd Inc")));
    const auto axisOf = [&](const std::string& name) {
        return static_cast<std::size_t>(std::find(axes.names.begin(), axes.names.end(), name) -
                                        axes.names.begin());
    };
    const std::size_t a = axisOf(first);
    const std::size_t b = axisOf(second);
    if (a >= 3 || b >= 3 || a == b) {
        return std::nullopt;
    }
    return std::array<std::size_t, 3>{a, b, 3 - a - b};
}

std::optional<std::vector<SurveyLayer>> layeredGrid(const DataFile& file, std::size_t readings,
                                                    const LayeredAxes& axes) {
    const auto order = incrementOrder(file, axes);
    std::array<std::size_t, 3> sizes{};
    std::size_t total = 1;
    for (std::size_t i = 0; i < 3; ++i) {
        sizes[i] = axes.labels[i].size();
        total = std::min(total * sizes[i], kMaxGridCells + 1);
    }
    if (!order || readings == 0 || readings > total || total > kMaxGridCells) {
        return std::nullopt;
    }
    std::vector<SurveyLayer> layers(sizes[0]);
    for (std::size_t i = 0; i < sizes[0]; ++i) {
        layers[i].name = axes.labels[0][i];
        layers[i].rowLabels = axes.labels[1];
        layers[i].columnLabels = axes.labels[2];
        layers[i].cells.assign(sizes[1] * sizes[2], kNoPoint);
    }
    for (std::size_t k = 0; k < readings; ++k) {
        std::array<std::size_t, 3> place{};
        place[(*order)[0]] = k % sizes[(*order)[0]];
        place[(*order)[1]] = k / sizes[(*order)[0]] % sizes[(*order)[1]];
        place[(*order)[2]] = k / (sizes[(*order)[0]] * sizes[(*order)[1]]);
        layers[place[0]].cells[place[1] * sizes[2] + place[2]] = static_cast<int>(k);
    }
    return layers;
}

// "LCR" is L, C, R; a pattern written with dashes ("0-90-180-270") is split at them.
Labels testPointLabels(std::string_view pattern) {
    Labels labels;
    pattern = trimmed(pattern);
    if (pattern.find('-') == std::string_view::npos) {
        for (const char c : pattern) {
            labels.emplace_back(1, c);
        }
        return labels;
    }
    for (std::size_t from = 0;;) {
        const std::size_t dash = pattern.find('-', from);
        labels.emplace_back(pattern.substr(from, dash - from));
        if (dash == std::string_view::npos) {
            break;
        }
        from = dash + 1;
    }
    return labels;
}

std::optional<LayeredAxes> layeredAxes(const DataFile& file, const std::string& type) {
    if (type == "3D") {
        const auto elevs = rangeLabels(file, "Start Elev", "End Elev");
        const auto rows = rangeLabels(file, "Start Row", "End Row");
        const auto columns = rangeLabels(file, "Start Col", "End Col");
        if (elevs && rows && columns) {
            return LayeredAxes{{"ELEV", "ROW", "COL"}, {*elevs, *rows, *columns}};
        }
    }
    if (type == "BOILER") {
        const Labels points = testPointLabels(file.headerValue("Test Pts"));
        const auto elevs = rangeLabels(file, "Start Elev", "End Elev");
        const auto tubes = rangeLabels(file, "Start Tube", "End Tube");
        if (!points.empty() && elevs && tubes) {
            return LayeredAxes{{"TEST PTS", "ELEV", "TUBE"}, {points, *elevs, *tubes}};
        }
    }
    return std::nullopt;
}

void placeReadings(const DataFile& file, Survey& survey) {
    if (survey.type == "2D") {
        if (auto layer = grid2D(file, survey.points)) {
            survey.layers.push_back(std::move(*layer));
        }
    } else if (const auto axes = layeredAxes(file, survey.type)) {
        if (auto layers = layeredGrid(file, survey.points.size(), *axes)) {
            survey.layers = std::move(*layers);
            survey.layerAxis = axes->names[0];
        }
    }
    survey.shape = survey.layers.empty() ? SurveyShape::Sequence : SurveyShape::Grid;
}

}  // namespace

std::optional<double> thicknessValue(std::string_view text) {
    text = trimmed(text);
    double value = 0;
    const auto parsed =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || parsed.ec != std::errc() || parsed.ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

Survey surveyOf(const DataFile& file) {
    Survey survey;
    survey.type = asciiUpper(trimmed(file.headerValue("Type")));
    survey.points = pointsOf(file);
    survey.units = unitsOf(file, survey.points);
    survey.date = parseSurveyDate(file.headerValue("Last Saved"));
    if (!survey.date) {
        survey.date = parseSurveyDate(file.headerValue("Created"));
    }
    placeReadings(file, survey);
    return survey;
}

}  // namespace korvel
