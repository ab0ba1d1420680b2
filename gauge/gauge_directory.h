#pragma once
// The gauge's file list: the "dir /dev/datalog" exchange and the parsing of its reply.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gauge/file_list_entry.h"
#include "gauge/gauge_link.h"

namespace korvel {

// One entry per line: name before the first comma, type between the first two commas,
// modified after the second comma without the line's last two characters. A last piece
// without a line feed is an entry as well, so a listing that leaves out its final line feed
// keeps its last file.
std::vector<FileListEntry> ParseGageDirectory(std::string_view reply);

// Sends "dir /dev/datalog" and collects the whole reply, driving the progress bar and the
// status line; always ends with the release sequence. The listing only when it came whole and
// ended with the gauge's end marker: nothing, after a message saying why, when the gauge could
// not be reached, the command could not be sent, the gauge was silent, refused ("ERROR ..."),
// went on past the reply bound or stopped without its end marker, or the link was lost while
// it listed; nothing either when the operation was cancelled before the listing ended. A
// listing of the end marker alone (an empty data log) is an empty listing.
std::optional<std::string> ReadGageDirectory(GaugeLink& link);

// The Refresh Gage Files List button: the entries to show (none for an empty data log), or
// nothing when the gauge list keeps the rows it has.
std::optional<std::vector<FileListEntry>> refreshGaugeFileList(GaugeLink& link);

}  // namespace korvel
