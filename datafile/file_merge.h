#pragma once
// Merging grid files: files whose first line is a heading line (",1,2,3," or ",A,B,C,") and
// whose further lines are rows keyed by their first field. Files that describe the same rows
// (the same line keys, line by line) are merged into one file holding every column.

#include <string>
#include <string_view>
#include <vector>

#include "app/text_table.h"
#include "app/user_voice.h"

namespace korvel {

// The most columns a merged file holds (the largest location a layout has).
inline constexpr int kMaxMergeColumns = 5000;

// The file's lines without their line ends (and without a UTF-8 byte order mark).
std::vector<std::string_view> fileLines(std::string_view bytes);

// Every line's key: the text before its first comma; "-1", "-2" ... for lines that begin with
// a comma; the whole line when it has no comma. Two files match when their keys are equal one
// by one (so "AB","C" never matches "A","BC").
std::vector<std::string> lineKeys(std::string_view bytes);

// The column a heading names: its leading number, or its letter code (A = 1, AA = 27), or the
// place of its first letter; 0 when it names none. Headings are trimmed and upper-cased first.
int headingColumn(std::string_view heading);

// Whether the bytes are a grid file: the first line begins with a comma.
bool isGridFile(std::string_view bytes);

// Whether a heading line of the file would lose values in a merge: a first heading or a
// non-empty heading that names no column (such as "0"), a column above kMaxMergeColumns, or
// one column named twice.
bool hasLosingHeadings(std::string_view bytes);

// The merged file of the files' bytes in the given order, values aligned by column, each
// heading above its column. The first file's keys are the merged file's lines.
std::string mergedBytes(const std::vector<std::string>& files);

// The files of the folder (names ending in "CSV", any case), the first file included, whose
// keys match the first file's, sorted by name. A file that cannot be read is reported and
// counts as a file without lines.
std::vector<std::string> findMatchingFiles(const std::string& folder, const std::string& firstName,
                                           UserVoice& voice, const TextTable& texts);

// folder + the name in upper case, ".CSV" appended unless it ends so, as File Create names.
std::string mergedFilePath(const std::string& folder, const std::string& name);

struct MergeResult {
    bool written = false;
    bool focusName = false;  // the name box gets the focus
    std::string path;
};

// The whole of "Merge Selected Files", with its messages and the wait cursor. The merged name
// is a plain file name in the folder that passes File Create's name rule (in upper case). A
// selected file that cannot be read, that is no grid file, whose headings would lose values or
// name columns none of its rows reaches, or that alone or merged makes a grid of more locations
// than a data file holds (kMaxReadings) is reported and nothing is written; an existing non-empty
// merged file is replaced only after the overwrite question.
MergeResult mergeFiles(const std::string& folder, const std::vector<std::string>& names,
                       const std::string& mergedName, UserVoice& voice, const TextTable& texts);

}  // namespace korvel
