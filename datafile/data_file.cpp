#include "datafile/data_file.h"

#include "app/text_rules.h"
#include "datafile/number_text.h"

namespace korvel {

namespace {

std::optional<std::size_t> exactPosition(const std::vector<std::string>& names,
                                         std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::string fieldAt(const std::vector<std::string>& fields, std::optional<std::size_t> index) {
    return index && *index < fields.size() ? fields[*index] : std::string();
}

}  // namespace

long Trace::announcedCount() const {
    if (lineFields.size() < 4) {
        return static_cast<long>(kMaxTraceValues);
    }
    const long long product = static_cast<long long>(leadingNumber(lineFields[2])) *
                              static_cast<long long>(leadingNumber(lineFields[3]));
    if (product < 1) {
        return static_cast<long>(kMaxTraceValues);
    }
    return product > 1000000 ? 1000000L : static_cast<long>(product);
}

std::optional<std::string> AScan::settingValue(std::string_view key) const {
    for (const auto& field : settings) {
        const auto equals = field.find('=');
        if (equals != std::string::npos && std::string_view(field).substr(0, equals) == key) {
            return field.substr(equals + 1);
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> DataFile::headerIndex(std::string_view name) const {
    for (std::size_t i = 0; i < headerNames.size(); ++i) {
        if (equalsNoCase(headerNames[i], name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string DataFile::headerValue(std::string_view name) const {
    return fieldAt(headerValues, headerIndex(name));
}

int DataFile::headerNumber(std::string_view name) const {
    return leadingNumber(headerValue(name));
}

void DataFile::setHeaderValue(std::string_view name, std::string_view value) {
    const auto index = headerIndex(name);
    if (!index) {
        headerNames.emplace_back(name);
        headerValues.resize(headerNames.size());
        headerValues.back() = std::string(value);
        return;
    }
    if (headerValues.size() <= *index) {
        headerValues.resize(*index + 1);
    }
    headerValues[*index] = std::string(value);
}

std::optional<std::size_t> DataFile::readingColumn(std::string_view name) const {
    return exactPosition(readingColumns, name);
}

std::string DataFile::readingField(const Reading& reading, std::string_view name) const {
    return fieldAt(reading.fields, readingColumn(name));
}

std::optional<std::size_t> DataFile::setupColumn(std::string_view name) const {
    return exactPosition(setupColumns, name);
}

std::string DataFile::setupField(const std::vector<std::string>& setup,
                                 std::string_view name) const {
    return fieldAt(setup, setupColumn(name));
}

std::string_view fieldAtColumn(const Reading& reading, std::optional<std::size_t> column) {
    return column && *column < reading.fields.size() ? std::string_view(reading.fields[*column])
                                                     : std::string_view();
}

std::string productCodeOf(std::string_view productLine) {
    const auto colon = productLine.find(':');
    if (colon == std::string_view::npos) {
        return {};
    }
    const auto rest = productLine.substr(colon + 1);
    return std::string(rest.substr(0, rest.find(',')));
}

bool isProductLine(std::string_view line) {
    return startsWithNoCase(line, "Product");
}

bool hasDataFileHeader(std::string_view bytes) {
    std::string_view text = withoutByteOrderMark(bytes);
    const auto lineOf = [](std::string_view rest) { return rest.substr(0, rest.find('\n')); };
    if (isProductLine(lineOf(text))) {
        const auto lineFeed = text.find('\n');
        text = lineFeed == std::string_view::npos ? std::string_view() : text.substr(lineFeed + 1);
    }
    const std::string_view header = lineOf(text);
    const std::string_view first = header.substr(0, header.find(','));
    return equalsNoCase(trimmed(first), "Filename");
}

bool isReadingColumnLine(std::string_view line) {
    return contains(line, "ID,");
}

std::string displayNameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return asciiUpper(slash == std::string::npos ? path : path.substr(slash + 1));
}

}  // namespace korvel
