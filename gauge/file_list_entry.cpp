#include "gauge/file_list_entry.h"

namespace korvel {

std::vector<FileListEntry> fileListRows(const std::vector<FileListEntry>& entries) {
    return {entries.rbegin(), entries.rend()};
}

}  // namespace korvel
