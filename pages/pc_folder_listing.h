#pragma once
// The rows of the PC folder lists: the transfer page lists every entry of the folder with the
// Type a data file states in its header; the merge page lists the ".CSV" files.

#include <ctime>
#include <string>
#include <vector>

#include "gauge/file_list_entry.h"

namespace korvel {

// Every entry of the folder but the hidden ones (a name beginning with '.'), folders included, in
// name order (the order a Windows file system enumerates them); nothing for a folder that cannot be
// read.
std::vector<FileListEntry> listTransferFolder(const std::string& folder);

// The files whose names end in "CSV" (any case) and whose first line is not empty; Type is the
// second field of the second line when the first line begins with "Filename".
std::vector<FileListEntry> listMergeFolder(const std::string& folder);

// The Type a data file states: the field under "Type" in the line after its "Filename" header.
std::string dataFileType(const std::string& path);

// The file's last-write time as the lists show it; empty when there is no such file.
std::string modifiedTimeOf(const std::string& path);

// Local time as "%m/%d/%Y %I:%M %p", with "AM"/"PM" whatever the user's locale.
std::string formatModified(std::time_t time);

}  // namespace korvel
