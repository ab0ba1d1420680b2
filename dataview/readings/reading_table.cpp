#include "dataview/readings/reading_table.h"

#include <algorithm>
#include <numeric>

#include "app/text_rules.h"
#include "datafile/number_text.h"
#include "survey/survey_layout.h"

namespace korvel {
namespace {

const std::string kNoText;

}  // namespace

int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<unsigned char>(asciiUpper(a[i]));
        const auto right = static_cast<unsigned char>(asciiUpper(b[i]));
        if (left != right) {
            return left < right ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

ReadingTable::ReadingTable(const DataFile& file) : file_(file), order_(file.readings.size()) {
    for (std::size_t field = 0; field < file.readingColumns.size(); ++field) {
        if (!file.readingColumns[field].empty()) {
            columns_.push_back({file.readingColumns[field], field});
        }
    }
    std::iota(order_.begin(), order_.end(), 0);
}

const std::string& ReadingTable::columnName(int column) const {
    return columns_[static_cast<std::size_t>(column)].name;
}

const Reading& ReadingTable::reading(int row) const {
    return file_.readings[static_cast<std::size_t>(readingIndex(row))];
}

const std::string& ReadingTable::text(int row, int column) const {
    const auto& fields = reading(row).fields;
    const std::size_t field = columns_[static_cast<std::size_t>(column)].field;
    return field < fields.size() ? fields[field] : kNoText;
}

const std::string& ReadingTable::textOf(int row, std::string_view name) const {
    for (int column = 0; column < columnCount(); ++column) {
        if (columns_[static_cast<std::size_t>(column)].name == name) {
            return text(row, column);
        }
    }
    return kNoText;
}

int ReadingTable::rowOfReading(int readingIndex) const {
    const auto found = std::find(order_.begin(), order_.end(), readingIndex);
    return found == order_.end() ? -1 : static_cast<int>(found - order_.begin());
}

int ReadingTable::itemData(int row) const {
    const auto& fields = reading(row).fields;
    return fields.empty() ? 0 : leadingNumber(fields.front());
}

void ReadingTable::sortBy(int column, bool ascending) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    const std::size_t field = columns_[static_cast<std::size_t>(column)].field;
    auto key = [&](int index) -> std::string_view {
        const auto& fields = file_.readings[static_cast<std::size_t>(index)].fields;
        return field < fields.size() ? std::string_view(fields[field]) : std::string_view();
    };
    // A hole ("--.---", or no thickness at all) has no value to sort by: holes come last in
    // either direction, in their order.
    const bool thickness = columnName(column) == "Thickness";
    const auto hole = [&](int index) { return thickness && !thicknessValue(key(index)); };
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        if (hole(a) || hole(b)) {
            return !hole(a) && hole(b);
        }
        const int order = compareNoCase(key(a), key(b));
        return ascending ? order < 0 : order > 0;
    });
}

}  // namespace korvel
