#include "datafile/data_file_writer.h"

#include "app/safe_file.h"
#include "datafile/field_split.h"

namespace korvel {

namespace {

void appendLine(std::string& out, std::string_view text) {
    out += text;
    out += "\r\n";
}

void appendTrace(std::string& out, const Trace& trace) {
    appendLine(out, joinFields(trace.lineFields));
    for (std::size_t i = 0; i < trace.values.size(); i += kTraceValuesPerLine) {
        std::string line = ",";
        for (std::size_t j = i; j < trace.values.size() && j < i + kTraceValuesPerLine; ++j) {
            line += trace.values[j];
            line += ',';
        }
        appendLine(out, line);
    }
}

void appendReadings(std::string& out, const DataFile& file) {
    const std::string columns = joinFields(file.readingColumns);
    appendLine(out, columns);
    for (const auto& reading : file.readings) {
        appendLine(out, joinFields(reading.fields));
        if (reading.ascan) {
            appendTrace(out, reading.ascan->max);
            appendTrace(out, reading.ascan->min);
            appendLine(out, joinFields(reading.ascan->settings));
            appendLine(out, columns);
        }
    }
}

// A block without column names still needs its first field to be found again.
void appendRows(std::string& out, const std::vector<std::string>& columns,
                std::string_view firstColumn, const std::vector<std::vector<std::string>>& rows) {
    appendLine(out, columns.empty() ? std::string(firstColumn) + "," : joinFields(columns));
    for (const auto& row : rows) {
        appendLine(out, joinFields(row));
    }
}

}  // namespace

std::string productLineText(std::string_view product, std::string_view version) {
    return "Product:" + std::string(product) + ",Version:" + std::string(version) + ",";
}

std::string dataFileBytes(const DataFile& file) {
    std::string out;
    if (file.hasProductLine) {
        appendLine(out, productLineText(file.product, file.productVersion));
    }
    appendLine(out, joinFields(file.headerNames));
    appendLine(out, joinFields(file.headerValues));
    if (!file.readingColumns.empty() || !file.readings.empty()) {
        appendLine(out, "");
        appendReadings(out, file);
    }
    if (!file.setupColumns.empty() || !file.setups.empty()) {
        appendLine(out, "");
        appendRows(out, file.setupColumns, "Setup #", file.setups);
    }
    if (!file.noteColumns.empty() || !file.notes.empty()) {
        appendLine(out, "");
        appendRows(out, file.noteColumns, "Note #", file.notes);
    }
    if (file.endMarker) {
        out += "\xFF\xFF";
    }
    return out;
}

bool saveDataFile(const std::string& path, const DataFile& file, std::string* error) {
    return writeFileSafely(path, dataFileBytes(file), error);
}

}  // namespace korvel
