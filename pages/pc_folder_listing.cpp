#include "pages/pc_folder_listing.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/text_rules.h"

namespace korvel {

namespace {

namespace fs = std::filesystem;

bool endsWithCsv(const std::string& name) {
    return endsWithNoCase(name, "CSV");
}

// A line as a text-mode reader returns it: CR LF read as LF, the LF kept when there was one.
bool readTextLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (!in.eof()) {
        line += '\n';
    }
    return true;
}

// The comma-terminated fields of a line read with its LF; a comma that is one of the line's
// last two characters does not end a field.
std::vector<std::string> headerFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma = line.find(','); comma != std::string::npos;
         comma = line.find(',', start)) {
        if (comma + 2 >= line.size()) {
            break;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    return fields;
}

std::time_t modifiedTime(const fs::directory_entry& entry) {
    std::error_code error;
    const auto written = entry.last_write_time(error);
    if (error) {
        return 0;
    }
    const auto system = std::chrono::file_clock::to_sys(written);
    return std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(system));
}

struct FolderEntry {
    std::string name;
    std::string path;
    std::time_t modified;
    bool regularFile;
};

std::vector<FolderEntry> enumerate(const std::string& folder) {
    std::vector<FolderEntry> entries;
    if (folder.empty()) {
        return entries;
    }
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.front() == '.') {
            continue;  // hidden, as a save's temporary file is
        }
        std::error_code kindError;
        entries.push_back(
            {name, it->path().string(), modifiedTime(*it), it->is_regular_file(kindError)});
    }
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        return lessNoCase(a.name, b.name);
    });
    return entries;
}

}  // namespace

std::string formatModified(std::time_t time) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &time);
#else
    localtime_r(&time, &local);
#endif
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    // Room for any field value the format allows, so that nothing is ever cut.
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%02d/%02d/%04d %02d:%02d %s", local.tm_mon + 1,
                  local.tm_mday, local.tm_year + 1900, hour12, local.tm_min,
                  local.tm_hour < 12 ? "AM" : "PM");
    return text.data();
}

std::string modifiedTimeOf(const std::string& path) {
    std::error_code error;
    const fs::directory_entry entry(path, error);
    return error || !entry.exists(error) ? std::string() : formatModified(modifiedTime(entry));
}

std::string dataFileType(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (readTextLine(in, line)) {
        if (!startsWithNoCase(line, "Filename")) {
            continue;
        }
        const auto names = headerFields(line);
        const auto typeColumn = std::find_if(names.begin(), names.end(), [](const std::string& f) {
            return equalsNoCase(f, "Type");
        });
        std::string values;
        if (typeColumn == names.end() || typeColumn == names.begin() || !readTextLine(in, values) ||
            values.empty()) {
            return {};
        }
        const auto fields = headerFields(values);
        const auto index = static_cast<std::size_t>(typeColumn - names.begin());
        return index < fields.size() ? fields[index] : std::string();
    }
    return {};
}

std::vector<FileListEntry> listTransferFolder(const std::string& folder) {
    std::vector<FileListEntry> rows;
    for (const FolderEntry& entry : enumerate(folder)) {
        FileListEntry row;
        row.name = entry.name;
        row.modified = formatModified(entry.modified);
        if (endsWithCsv(entry.name) && entry.regularFile) {
            row.type = dataFileType(entry.path);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<FileListEntry> listMergeFolder(const std::string& folder) {
    std::vector<FileListEntry> rows;
    for (const FolderEntry& entry : enumerate(folder)) {
        if (!endsWithCsv(entry.name) || !entry.regularFile) {
            continue;
        }
        std::ifstream in(entry.path, std::ios::binary);
        std::string first;
        std::string second;
        if (!readTextLine(in, first) || first == "\n" || first.empty()) {
            continue;
        }
        FileListEntry row;
        row.name = entry.name;
        row.modified = formatModified(entry.modified);
        if (startsWithNoCase(first, "Filename") && readTextLine(in, second)) {
            const auto comma = second.find(',');
            if (comma != std::string::npos) {
                const auto next = second.find(',', comma + 1);
                row.type = second.substr(
                    comma + 1, next == std::string::npos ? std::string::npos : next - comma - 1);
                if (next == std::string::npos && !row.type.empty() && row.type.back() == '\n') {
                    row.type.pop_back();
                }
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace korvel
