#include "datafile/data_file_json.h"

#include <vector>

namespace korvel {

namespace {

using Row = std::vector<std::string>;

std::string jsonArray(const Row& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        out += (i ? "," : "") + jsonString(texts[i]);
    }
    return out + "]";
}

std::string jsonRows(const std::vector<Row>& rows) {
    std::string out = "[";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out += (i ? "," : "") + jsonArray(rows[i]);
    }
    return out + "]";
}

std::string headerJson(const DataFile& file) {
    std::vector<Row> pairs;
    for (std::size_t i = 0; i < file.headerNames.size(); ++i) {
        pairs.push_back({file.headerNames[i],
                         i < file.headerValues.size() ? file.headerValues[i] : std::string()});
    }
    return jsonRows(pairs);
}

std::string ascansJson(const DataFile& file) {
    std::string out = "{";
    bool first = true;
    for (std::size_t i = 0; i < file.readings.size(); ++i) {
        const auto& ascan = file.readings[i].ascan;
        if (!ascan) {
            continue;
        }
        out += (first ? "" : ",") + jsonString(std::to_string(i)) +
               ":{\"max\":" + jsonArray(ascan->max.values) +
               ",\"min\":" + jsonArray(ascan->min.values) +
               ",\"settings\":" + jsonArray(ascan->settings) + "}";
        first = false;
    }
    return out + "}";
}

}  // namespace

std::string jsonString(std::string_view bytes) {
    static const char* const kHex = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out + "\"";
}

std::string dataFileJson(const DataFile& file) {
    std::vector<Row> readings;
    for (const auto& reading : file.readings) {
        readings.push_back(reading.fields);
    }
    return "{\"product\":" + jsonString(file.product) + ",\"header\":" + headerJson(file) +
           ",\"columns\":" + jsonArray(file.readingColumns) +
           ",\"readings\":" + jsonRows(readings) + ",\"ascans\":" + ascansJson(file) +
           ",\"setupColumns\":" + jsonArray(file.setupColumns) +
           ",\"setups\":" + jsonRows(file.setups) +
           ",\"noteColumns\":" + jsonArray(file.noteColumns) +
           ",\"notes\":" + jsonRows(file.notes) + "}";
}

}  // namespace korvel
