#include "datafile/field_split.h"

#include <algorithm>

namespace korvel {

namespace {

std::size_t commasIn(std::string_view line) {
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
}

template <typename Take>
void forEachField(std::string_view line, Take take) {
    std::size_t start = 0;
    for (std::size_t comma = line.find(','); comma != std::string_view::npos;
         comma = line.find(',', start)) {
        take(line.substr(start, comma - start));
        start = comma + 1;
    }
}

}  // namespace

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> fields;
    fields.reserve(commasIn(line));
    forEachField(line, [&](std::string_view field) { fields.emplace_back(field); });
    return fields;
}

std::vector<std::string> splitReadingFields(std::string_view line) {
    std::vector<std::string> fields;
    fields.reserve(commasIn(line));
    forEachField(line, [&](std::string_view field) {
        fields.emplace_back(field.empty() || field == " " ? std::string_view("-") : field);
    });
    return fields;
}

std::vector<std::string> splitTraceFields(std::string_view line) {
    std::vector<std::string> fields;
    if (line.empty()) {
        return fields;
    }
    fields.reserve(commasIn(line));
    forEachField(line.substr(1), [&](std::string_view field) {
        if (!field.empty()) {
            fields.emplace_back(field);
        }
    });
    return fields;
}

std::string joinFields(const std::vector<std::string>& fields) {
    std::string line;
    for (const auto& field : fields) {
        line += field;
        line += ',';
    }
    return line;
}

}  // namespace korvel
