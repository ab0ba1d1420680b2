#pragma once
// A row of a file list (the gauge's or the PC's) and the order in which a list shows rows.

#include <string>
#include <vector>

namespace korvel {

struct FileListEntry {
    std::string name;
    std::string modified;
    std::string type;
    bool operator==(const FileListEntry&) const = default;
};

// The rows as the list shows them: each entry is inserted as the top row, so the last entry
// comes first.
std::vector<FileListEntry> fileListRows(const std::vector<FileListEntry>& entries);

}  // namespace korvel
