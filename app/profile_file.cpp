#include "app/profile_file.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "app/safe_file.h"
#include "app/text_rules.h"

namespace korvel {

namespace {

// The name of a section line "[name]", or nothing when the line is not one.
bool sectionName(std::string_view line, std::string_view& name) {
    line = trimmed(line);
    if (line.size() < 2 || line.front() != '[') {
        return false;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return false;
    }
    name = trimmed(line.substr(1, close - 1));
    return true;
}

// A line of a section that names a key: "name=value", or a name alone, which is the key
// without a value (it reads as the default and a write fills it in).
struct KeyLine {
    std::string_view name;
    std::optional<std::string_view> value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const std::string_view content = trimmed(line);
    if (content.empty() || content.front() == ';') {
        return std::nullopt;
    }
    const auto eq = content.find('=');
    if (eq == std::string_view::npos) {
        return KeyLine{content, std::nullopt};
    }
    return KeyLine{trimmed(content.substr(0, eq)), trimmed(content.substr(eq + 1))};
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
        if (equalsNoCase(name, section)) {
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
    text = withoutByteOrderMark(text);
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

const std::string* ProfileFile::findLine(std::string_view section, std::string_view key) const {
    const SectionRange range = findSection(lines_, section);
    if (range.header == std::string::npos) {
        return nullptr;
    }
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto line = keyLine(lines_[i]);
        if (line && equalsNoCase(line->name, key)) {
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
        if (const auto line = keyLine(lines_[i])) {
            names.emplace_back(line->name);
        }
    }
    return names;
}

bool ProfileFile::hasKey(std::string_view section, std::string_view key) const {
    return findLine(section, key) != nullptr;
}

std::optional<std::string_view> ProfileFile::findValue(std::string_view section,
                                                       std::string_view key) const {
    const std::string* line = findLine(section, key);
    const auto value = line ? keyLine(*line)->value : std::nullopt;
    return value ? std::optional(unquoted(*value)) : std::nullopt;
}

std::string ProfileFile::getString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue, std::size_t limit) const {
    const std::string_view value = findValue(section, key).value_or(defaultValue);
    return std::string(value.substr(0, std::min(limit, value.size())));
}

int ProfileFile::getInt(std::string_view section, std::string_view key, int defaultValue) const {
    const auto value = findValue(section, key);
    return value && !value->empty() ? leadingNumber(*value) : defaultValue;
}

void ProfileFile::setString(std::string_view section, std::string_view key,
                            std::string_view value) {
    const std::string newLine = std::string(key) + "=" + std::string(value);
    const SectionRange range = findSection(lines_, section);
    if (range.header == std::string::npos) {
        while (!lines_.empty() && trimmed(lines_.back()).empty()) {
            lines_.pop_back();
        }
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(newLine);
        return;
    }
    std::size_t insertAt = range.header + 1;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto line = keyLine(lines_[i]);
        if (line && equalsNoCase(line->name, key)) {
            lines_[i] = newLine;
            return;
        }
        if (!trimmed(lines_[i]).empty()) {
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
