#include "datafile/file_merge.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "app/name_check.h"
#include "app/platform.h"
#include "app/safe_file.h"
#include "app/save_message.h"
#include "app/text_format.h"
#include "app/text_rules.h"
#include "datafile/data_file.h"
#include "datafile/data_file_reader.h"
#include "datafile/file_create.h"
#include "datafile/letter_code.h"
#include "datafile/number_text.h"
#include "datafile/output_file.h"

namespace korvel {

namespace {

// The fields after the key: each ended by a comma, plus a non-empty text after the last comma.
void valuesAfterKey(std::string_view line, std::vector<std::string_view>& values) {
    values.clear();
    const char* const end = line.data() + line.size();
    const char* start = line.data() + line.find(',') + 1;
    for (const char* c = start; c != end; ++c) {
        if (*c == ',') {
            values.emplace_back(start, static_cast<std::size_t>(c - start));
            start = c + 1;
        }
    }
    if (start != end) {
        values.emplace_back(start, static_cast<std::size_t>(end - start));
    }
}

std::vector<std::string_view> valuesAfterKey(std::string_view line) {
    std::vector<std::string_view> values;
    valuesAfterKey(line, values);
    return values;
}

struct Heading {
    std::string text;
    int column;
};

Heading headingOf(std::string_view field) {
    std::string text = asciiUpper(trimmed(field));
    if (!text.empty() && text[0] >= '0' && text[0] <= '9' && leadingNumber(text) > 0) {
        text = std::to_string(leadingNumber(text));
    }
    return {text, headingColumn(text)};
}

struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const {
        return std::hash<std::string_view>{}(key);
    }
};

// The cells of one merged row by column - 1. The storage is kept from row to row; only the
// cells in use are cleared.
class RowCells {
  public:
    std::size_t size() const { return used_; }
    std::string_view at(std::size_t index) const {
        return index < used_ ? slots_[index] : std::string_view();
    }
    const std::string_view* begin() const { return slots_.data(); }
    const std::string_view* end() const { return slots_.data() + used_; }

    void clear() {
        std::fill_n(slots_.begin(), used_, std::string_view());
        used_ = 0;
    }
    void assign(const std::string_view* first, std::size_t count) {
        clear();
        reserveSlots(count);
        std::copy_n(first, count, slots_.begin());
        used_ = count;
    }
    // Sets the cell unless it holds a value already.
    void fillIfEmpty(std::size_t index, std::string_view value) {
        reserveSlots(index + 1);
        if (slots_[index].empty()) {
            slots_[index] = value;
        }
        used_ = std::max(used_, index + 1);
    }

  private:
    void reserveSlots(std::size_t count) {
        if (slots_.size() < count) {
            slots_.resize(std::max(count, 2 * slots_.size()));
        }
    }

    std::vector<std::string_view> slots_;  // empty beyond used_
    std::size_t used_ = 0;
};

// A line of a later file that holds values for a merged row, with the headings above it.
struct RowSource {
    std::string_view line;
    std::size_t headings;  // index into the merger's heading sets
};

struct MergedRow {
    bool verbatim = false;  // written as the first file had it
    std::string_view text;
    std::vector<RowSource> sources;  // in the order the files and lines came
};

// Works on views into the files' bytes, which outlive it. The values of a row are laid out by
// column only when the merged file is written, one row at a time, so that no more than one
// row's cells are held at once.
class Merger {
  public:
    Merger() : headingSets_(1) {}

    void add(const std::vector<std::string_view>& lines, bool first) {
        std::size_t fileHeadings = 0;
        int commaLines = 0;
        for (const auto line : lines) {
            const auto comma = line.find(',');
            if (first) {
                registerKey(line, comma, commaLines);
            }
            if (comma == std::string_view::npos) {
                continue;
            }
            if (comma == 0) {
                headingSets_.push_back(takeHeadings(line));
                fileHeadings = headingSets_.size() - 1;
                continue;
            }
            const auto row = index_.find(line.substr(0, comma));
            if (row != index_.end() && !rows_[row->second].verbatim) {
                rows_[row->second].sources.push_back({line, fileHeadings});
            }
        }
    }

    // Written once with the width the headings give; a second time only when a row turns out
    // to be wider.
    std::string result() {
        const std::size_t headingWidth = widestHeadingColumn();
        std::size_t widestRow = 0;
        std::string out = render(headingWidth, widestRow);
        if (widestRow > headingWidth) {
            out = render(widestRow, widestRow);
        }
        return out;
    }

  private:
    void registerKey(std::string_view line, std::size_t comma, int& commaLines) {
        std::string key;
        MergedRow row;
        if (comma == std::string_view::npos) {
            key = std::string(line);
            row.verbatim = true;
            row.text = line;
        } else if (comma == 0) {
            key = "-" + std::to_string(++commaLines);
            row.verbatim = commaLines > 1;
            row.text = line;
        } else {
            key = std::string(line.substr(0, comma));
        }
        const auto found = index_.find(key);
        keyRows_.push_back(found == index_.end() ? rows_.size() : found->second);
        keys_.push_back(key);
        if (found == index_.end()) {
            index_.emplace(std::move(key), rows_.size());
            rows_.push_back(std::move(row));
        }
    }

    std::vector<Heading> takeHeadings(std::string_view line) {
        std::vector<Heading> headings;
        for (const auto field : valuesAfterKey(line)) {
            Heading heading = headingOf(field);
            if (known_.insert(heading.text).second) {
                headings_.push_back(heading);
            }
            headings.push_back(std::move(heading));
        }
        return headings;
    }

    // The cells of the row in hand, each followed by a comma, up to the given width. The
    // commas are laid down first and the values copied in between.
    void appendCells(std::string& out, std::size_t width) const {
        std::size_t length = width - std::min(width, cells_.size());
        for (const auto cell : cells_) {
            length += cell.size() + 1;
        }
        const std::size_t start = out.size();
        out.resize(start + length, ',');
        char* next = out.data() + start;
        for (const auto cell : cells_) {
            next = std::copy(cell.begin(), cell.end(), next) + 1;
        }
    }

    // The row's values by column - 1 in cells_, its sources placed one after the other.
    void layOut(const MergedRow& row) {
        cells_.clear();
        for (const auto& source : row.sources) {
            valuesAfterKey(source.line, values_);
            place(values_, headingSets_[source.headings]);
        }
    }

    // Without headings the values replace the row's. With headings each value goes to its
    // heading's column; values whose first column is taken already are dropped, and a value
    // never overwrites one that is there.
    void place(const std::vector<std::string_view>& values, const std::vector<Heading>& headings) {
        if (headings.empty()) {
            cells_.assign(values.data(), std::min<std::size_t>(values.size(), kMaxMergeColumns));
            return;
        }
        const int firstColumn = headings[0].column;
        if (firstColumn < 1 || firstColumn > kMaxMergeColumns ||
            !cells_.at(static_cast<std::size_t>(firstColumn) - 1).empty()) {
            return;
        }
        // Wide enough that the column after a huge heading cannot overflow.
        long long column = 0;
        for (std::size_t i = 0; i < values.size(); ++i) {
            column =
                i < headings.size() && headings[i].column > 0 ? headings[i].column : column + 1;
            if (column <= kMaxMergeColumns && !values[i].empty()) {
                cells_.fillIfEmpty(static_cast<std::size_t>(column) - 1, values[i]);
            }
        }
    }

    std::size_t widestHeadingColumn() const {
        std::size_t width = 0;
        for (const auto& heading : headings_) {
            if (heading.column <= kMaxMergeColumns) {
                width = std::max(width, static_cast<std::size_t>(heading.column));
            }
        }
        return width;
    }

    // Every line at the given width; widestRow: the most cells a row has.
    std::string render(std::size_t width, std::size_t& widestRow) {
        std::string out;
        out.reserve(keys_.size() * (width * 7 + 16));
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            const MergedRow& row = rows_[keyRows_[i]];
            layOut(row);
            widestRow = std::max(widestRow, cells_.size());
            if (keys_[i] == "-1") {
                out += headingLine(width);
            } else if (row.verbatim) {
                out += row.text;
            } else {
                out += keys_[i];
                out += ',';
                appendCells(out, width);
            }
            out += "\r\n";
        }
        return out;
    }

    std::string headingLine(std::size_t width) const {
        std::vector<const Heading*> above(width + 1, nullptr);
        for (const auto& heading : headings_) {
            const auto column = static_cast<std::size_t>(heading.column);
            if (heading.column >= 1 && column <= width && !above[column]) {
                above[column] = &heading;
            }
        }
        std::string line = ",";
        for (std::size_t column = 1; column <= width; ++column) {
            if (above[column]) {
                line += above[column]->text;
            }
            line += ',';
        }
        return line;
    }

    std::vector<std::string_view> values_;  // of the line in hand
    RowCells cells_;                        // of the row in hand
    std::vector<std::string> keys_;
    std::vector<std::size_t> keyRows_;  // the row of each key, in the first file's order
    std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> index_;
    std::vector<MergedRow> rows_;
    std::vector<std::vector<Heading>> headingSets_;  // the first one is empty: no headings
    std::vector<Heading> headings_;
    std::unordered_set<std::string> known_;
};

bool isCsvName(const std::string& name) {
    return endsWithNoCase(name, "CSV");
}

std::optional<std::string> readOrReport(const std::string& folder, const std::string& name,
                                        UserVoice& voice, const TextTable& texts) {
    auto bytes = readFileBytes(joinPath(folder, name));
    if (!bytes) {
        reportFileOpenError(voice, texts, name);
    }
    return bytes;
}

// A heading line whose values could not all be placed: a first column below 1, a heading that
// names no column, a column above the limit, or a column named twice.
bool headingsLoseValues(std::string_view line) {
    std::unordered_set<long long> taken;
    long long column = 0;
    const auto fields = valuesAfterKey(line);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Heading heading = headingOf(fields[i]);
        if (heading.column < 1 && (i == 0 || !heading.text.empty())) {
            return true;
        }
        column = heading.column > 0 ? heading.column : column + 1;
        if (column > kMaxMergeColumns || !taken.insert(column).second) {
            return true;
        }
    }
    return false;
}

// What a file spans as a grid: its rows (lines with a key before a comma), the widest column
// its heading lines name and the widest column its rows' fields reach, empty fields counted,
// each field placed as a merge places it.
struct GridExtent {
    std::size_t rows = 0;
    long long headingColumns = 0;
    long long rowColumns = 0;
};

GridExtent gridExtent(std::string_view bytes) {
    GridExtent extent;
    std::vector<long long> reach;  // the widest column of the first n + 1 headings
    long long lastColumn = 0;      // the column of the last heading
    for (const auto line : fileLines(bytes)) {
        const auto comma = line.find(',');
        if (comma == std::string_view::npos) {
            continue;
        }
        const auto fields = valuesAfterKey(line);
        if (comma == 0) {
            reach.clear();
            lastColumn = 0;
            for (const auto field : fields) {
                const int column = headingOf(field).column;
                lastColumn = column > 0 ? column : lastColumn + 1;
                reach.push_back(std::max(lastColumn, reach.empty() ? 0 : reach.back()));
            }
            extent.headingColumns =
                std::max(extent.headingColumns, reach.empty() ? 0 : reach.back());
            continue;
        }
        ++extent.rows;
        const auto held = static_cast<long long>(fields.size());
        const auto headed = static_cast<long long>(reach.size());
        const long long columns =
            held <= headed ? (held == 0 ? 0 : reach[static_cast<std::size_t>(held) - 1])
                           : std::max(headed == 0 ? 0 : reach.back(), lastColumn + held - headed);
        extent.rowColumns = std::max(extent.rowColumns, columns);
    }
    return extent;
}

// Refuses, with a message naming it, a file whose heading line names columns that none of its
// rows reaches, or that alone or merged would hold more locations than a data file (a grid's
// rows times its columns). rows and columns: the merged file's so far (columns below 0 before
// the first file, whose rows are the merged file's).
bool withinMergeBound(const std::string& name, std::string_view bytes, std::size_t& rows,
                      long long& columns, UserVoice& voice, const TextTable& texts) {
    const GridExtent extent = gridExtent(bytes);
    if (extent.rows > 0 && extent.headingColumns > extent.rowColumns) {
        voice.show(MessageKind::Error,
                   formatWithArguments(texts.message("IDS_ERR_FILEMERGE_HEADINGBEYOND"),
                                       {name, std::to_string(extent.headingColumns),
                                        std::to_string(extent.rowColumns)}));
        return false;
    }
    // A merge places no value beyond the column bound.
    const long long own =
        std::min<long long>(std::max(extent.headingColumns, extent.rowColumns), kMaxMergeColumns);
    if (columns < 0) {
        rows = extent.rows;
    }
    columns = std::max(columns, own);
    // The file alone, then the merged file with it.
    for (const auto& [gridRows, gridColumns] :
         {std::pair{extent.rows, own}, std::pair{rows, columns}}) {
        const unsigned long long locations = static_cast<unsigned long long>(gridRows) *
                                             static_cast<unsigned long long>(gridColumns);
        if (locations > kMaxReadings) {
            voice.show(
                MessageKind::Error,
                formatWithArguments(texts.message("IDS_ERR_FILEMERGE_TOOLARGE"),
                                    {name, std::to_string(gridRows), std::to_string(gridColumns),
                                     std::to_string(locations)}));
            return false;
        }
    }
    return true;
}

bool isPlainFileName(const std::string& name) {
    return name.find_first_of("/\\") == std::string::npos && name != "." && name != "..";
}

}  // namespace

bool hasLosingHeadings(std::string_view bytes) {
    const auto lines = fileLines(bytes);
    return std::any_of(lines.begin(), lines.end(), [](std::string_view line) {
        return !line.empty() && line[0] == ',' && headingsLoseValues(line);
    });
}

std::vector<std::string_view> fileLines(std::string_view file) {
    const std::string_view bytes = withoutByteOrderMark(file);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto lf = bytes.find('\n', start);
        const auto end = lf == std::string_view::npos ? bytes.size() : lf;
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> lineKeys(std::string_view bytes) {
    std::vector<std::string> keys;
    int commaLines = 0;
    for (const auto line : fileLines(bytes)) {
        const auto comma = line.find(',');
        keys.push_back(comma == 0 ? "-" + std::to_string(++commaLines)
                                  : std::string(line.substr(0, comma)));
    }
    return keys;
}

int headingColumn(std::string_view heading) {
    const std::string text = asciiUpper(trimmed(heading));
    if (text.empty()) {
        return 0;
    }
    if (text[0] >= '0' && text[0] <= '9') {
        return std::max(0, leadingNumber(text));
    }
    if (const int code = letterCodeValue(text)) {
        return code;
    }
    return text[0] >= 'A' && text[0] <= 'Z' ? text[0] - 'A' + 1 : 0;
}

bool isGridFile(std::string_view bytes) {
    const std::string_view text = withoutByteOrderMark(bytes);
    return !text.empty() && text[0] == ',';
}

std::string mergedBytes(const std::vector<std::string>& files) {
    Merger merger;
    for (std::size_t i = 0; i < files.size(); ++i) {
        merger.add(fileLines(files[i]), i == 0);
    }
    return merger.result();
}

std::vector<std::string> findMatchingFiles(const std::string& folder, const std::string& firstName,
                                           UserVoice& voice, const TextTable& texts) {
    WaitCursor wait(voice);
    const auto first = readOrReport(folder, firstName, voice, texts);
    const std::vector<std::string> keys = lineKeys(first.value_or(""));
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (isCsvName(name) && entry.is_regular_file(error)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> matches;
    for (const auto& name : names) {
        if (lineKeys(readOrReport(folder, name, voice, texts).value_or("")) == keys) {
            matches.push_back(name);
        }
    }
    return matches;
}

std::string mergedFilePath(const std::string& folder, const std::string& name) {
    return joinPath(folder, createdFileName(name));
}

MergeResult mergeFiles(const std::string& folder, const std::vector<std::string>& names,
                       const std::string& mergedName, UserVoice& voice, const TextTable& texts) {
    MergeResult result;
    if (names.empty()) {
        voice.show(MessageKind::Warning, texts.message("IDS_MSG_FILEMERGE_SELECTFILES"));
        return result;
    }
    if (mergedName.empty()) {
        voice.show(MessageKind::Warning, texts.message("IDS_MSG_FILEMERGE_ENTERMERGEFILENAME"));
        result.focusName = true;
        return result;
    }
    if (!isPlainFileName(mergedName)) {
        voice.show(MessageKind::Warning, texts.message("IDS_ERR_FILEMERGE_PLAINNAME"));
        result.focusName = true;
        return result;
    }
    // Every file the program writes can go to the gauge: the name rule of File Create.
    if (checkDataFileName(createdFileName(mergedName), kMaxDataFileStem) != 1) {
        voice.show(MessageKind::Error, texts.message("IDS_MSG_FILE_INVALIDFILENAME"));
        result.focusName = true;
        return result;
    }
    WaitCursor wait(voice);
    std::vector<std::string> files;
    std::size_t rows = 0;
    long long columns = -1;  // none before the first file
    for (const auto& name : names) {
        auto bytes = readOrReport(folder, name, voice, texts);
        if (!bytes) {
            return result;  // a merge without one of its files would lose that file's columns
        }
        const char* refusal = !isGridFile(*bytes)         ? "IDS_ERR_FILEMERGE_NOTGRID"
                              : hasLosingHeadings(*bytes) ? "IDS_ERR_FILEMERGE_BADHEADING"
                                                          : nullptr;
        if (refusal) {
            voice.show(MessageKind::Error, texts.message(refusal) + ": " + name);
            return result;
        }
        if (!withinMergeBound(name, *bytes, rows, columns, voice, texts)) {
            return result;
        }
        files.push_back(std::move(*bytes));
    }
    const std::string path = mergedFilePath(folder, mergedName);
    if (!mayOverwrite(path, voice, texts)) {
        return result;
    }
    const std::string merged = mergedBytes(files);
    std::string reason;
    if (!writeFileSafely(path, merged, &reason)) {
        voice.show(MessageKind::Error,
                   withReason(texts.message("IDS_ERR_FILEMERGE_FILECREATE_FAILURE") + ": " + path,
                              reason));
        return result;
    }
    result.written = true;
    result.path = path;
    if (!merged.empty()) {
        voice.show(MessageKind::Notice,
                   texts.message("IDS_MSG_FILEMERGE_MERGESUCCESS") + ": " + path);
    }
    return result;
}

}  // namespace korvel
