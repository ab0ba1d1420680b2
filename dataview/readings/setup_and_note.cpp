#include "dataview/readings/setup_and_note.h"

namespace korvel {
namespace {

template <typename Rows>
const std::vector<std::string>* rowNumbered(const Rows& rows, int number) {
    if (number < 1 || static_cast<std::size_t>(number) > rows.size()) {
        return nullptr;
    }
    return &rows[static_cast<std::size_t>(number) - 1];
}

void remember(const std::string& name, const std::string& value, SetupValues& values) {
    if (value.empty()) {
        return;
    }
    if (name == "BS Range") {
        values.bsRange = value;
    } else if (name == "Units") {
        values.units = value;
    } else if (name == "Meas Mode") {
        values.measMode = value;
    } else if (name == "BS Resolution") {
        values.bsResolution = value;
    }
}

}  // namespace

SetupListRows setupListRows(const DataFile& file, int setupNumber, SetupValues& values) {
    SetupListRows rows;
    const auto* setup = rowNumbered(file.setups, setupNumber);
    if (setup == nullptr) {
        return rows;
    }
    const auto& names = file.setupColumns;
    for (std::size_t j = 1; j < names.size(); ++j) {
        const std::string value = j < setup->size() ? (*setup)[j] : std::string();
        remember(names[j], value, values);
        rows.emplace_back(names[j], value);
    }
    return rows;
}

std::string noteText(const DataFile& file, int noteNumber) {
    std::string text;
    const auto* note = rowNumbered(file.notes, noteNumber);
    if (note == nullptr) {
        return text;
    }
    for (std::size_t j = 1; j < file.noteColumns.size() && j < note->size(); ++j) {
        if (!(*note)[j].empty()) {
            text += (*note)[j] + "\r\n";
        }
    }
    return text;
}

}  // namespace korvel
