#include "app/profile_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <limits>

#include "app/safe_file.h"

namespace korvel {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The name of a section line "[name]", or nothing when the line is not one.
bool sectionName(std::string_view line, std::string_view& name) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return false;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return false;
    }
    name = trim(line.substr(1, close - 1));
    return true;
}

bool keyLine(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view trimmed = trim(line);
    if (trimmed.empty() || trimmed.front() == ';') {
        return false;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return false;
    }
    key = trim(line.substr(0, eq));
    value = trim(line.substr(eq + 1));
    return true;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Index range [begin, end) of the body of the first section of this name; begin is the
// section line itself, or npos when there is none.
struct SectionRange {
    std::size_t header = std::string::npos;
    std::size_t end = 0;
};

SectionRange findSection(const std::vector<std::string>& lines, std::string_view section) {
    SectionRange range;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view name;
        if (!sectionName(lines[i], name)) {
            continue;
        }
        if (range.header != std::string::npos) {
            range.end = i;
            return range;
        }
        if (equalNoCase(name, section)) {
            range.header = i;
        }
    }
    range.end = lines.size();
    return range;
}

// Something is at the path, or whether there is cannot be told.
bool pathIsTaken(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() !=
           std::filesystem::file_type::not_found;
}

}  // namespace

ProfileFile ProfileFile::load(const std::string& path) {
    const auto bytes = readFileBytes(path);
    return bytes ? parse(*bytes) : ProfileFile();
}

ProfileFile ProfileFile::parse(std::string_view text) {
    ProfileFile profile;
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        profile.lines_.emplace_back(line);
        start = end + 1;
    }
    return profile;
}

const std::string* ProfileFile::findValue(std::string_view section, std::string_view key) const {
    const SectionRange range = findSection(lines_, section);
    if (range.header == std::string::npos) {
        return nullptr;
    }
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        std::string_view name, value;
        if (keyLine(lines_[i], name, value) && equalNoCase(name, key)) {
            return &lines_[i];
        }
    }
    return nullptr;
}

std::vector<std::string> ProfileFile::keys(std::string_view section) const {
    std::vector<std::string> names;
    const SectionRange range = findSection(lines_, section);
    if (range.header == std::string::npos) {
        return names;
    }
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        std::string_view name, value;
        if (keyLine(lines_[i], name, value)) {
            names.emplace_back(name);
        }
    }
    return names;
}

bool ProfileFile::hasKey(std::string_view section, std::string_view key) const {
    return findValue(section, key) != nullptr;
}

std::string ProfileFile::getString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue, std::size_t limit) const {
    std::string_view value = defaultValue;
    if (const std::string* line = findValue(section, key)) {
        std::string_view name;
        keyLine(*line, name, value);
        value = unquoted(value);
    }
    return std::string(value.substr(0, std::min(limit, value.size())));
}

int ProfileFile::getInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::string* line = findValue(section, key);
    if (!line) {
        return defaultValue;
    }
    std::string_view name, value;
    keyLine(*line, name, value);
    value = unquoted(value);
    long long result = 0;
    for (const char c : value) {
        if (c < '0' || c > '9') {
            break;
        }
        result = std::min<long long>(result * 10 + (c - '0'), std::numeric_limits<int>::max());
    }
    return static_cast<int>(result);
}

void ProfileFile::setString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string newLine = std::string(key) + "=" + std::string(value);
    const SectionRange range = findSection(lines_, section);
    if (range.header == std::string::npos) {
        while (!lines_.empty() && trim(lines_.back()).empty()) {
            lines_.pop_back();
        }
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(newLine);
        return;
    }
    std::size_t insertAt = range.header + 1;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        std::string_view name, oldValue;
        if (keyLine(lines_[i], name, oldValue) && equalNoCase(name, key)) {
            lines_[i] = newLine;
            return;
        }
        if (!trim(lines_[i]).empty()) {
            insertAt = i + 1;
        }
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), newLine);
}

std::string ProfileFile::text() const {
    std::string out;
    for (const auto& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              std::size_t limit) {
    return ProfileFile::load(path).getString(section, key, defaultValue, limit);
}

int readProfileInt(const std::string& path, std::string_view section, std::string_view key,
                   int defaultValue) {
    return ProfileFile::load(path).getInt(section, key, defaultValue);
}

bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    const auto bytes = readFileBytes(path);
    if (!bytes && pathIsTaken(path)) {
        return false;  // what cannot be read is never replaced by a file of one key
    }
    ProfileFile profile = bytes ? ProfileFile::parse(*bytes) : ProfileFile();
    profile.setString(section, key, value);
    return writeFileSafely(path, profile.text());
}

}  // namespace korvel
