#include "datafile/field_split.h"

#include <algorithm>

namespace korvel {

namespace {

std::size_t commasIn(std::string_view line) {
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
}

// Fields are short, so one pass over the bytes beats a search for each comma.
template <typename Take>
void forEachField(std::string_view line, Take take) {
    const char* start = line.data();
    const char* const end = start + line.size();
    for (const char* c = start; c != end; ++c) {
        if (*c == ',') {
            take(std::string_view(start, static_cast<std::size_t>(c - start)));
            start = c + 1;
        }
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
