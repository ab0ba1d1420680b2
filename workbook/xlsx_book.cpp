#include "workbook/xlsx_book.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <random>
#include <system_error>

#include "app/safe_file.h"
#include "app/text_encoding.h"

namespace korvel {
namespace {

namespace fs = std::filesystem;

constexpr int kScratchAttempts = 16;
constexpr std::size_t kSheetNameLimit = 31;
constexpr std::string_view kSheetNameForbidden = "[]:*?/\\";
constexpr const char* kWorkbookName = "book.xlsx";

// A new folder that only this user can enter; empty when none could be made.
fs::path makeScratchFolder() {
    std::error_code error;
    const fs::path temporary = fs::temp_directory_path(error);
    if (error) {
        return {};
    }
    std::random_device random;
    for (int attempt = 0; attempt < kScratchAttempts; ++attempt) {
        const fs::path folder = temporary / ("korvel-workbook-" + std::to_string(random()));
        if (!fs::create_directory(folder, error)) {
            continue;
        }
        fs::permissions(folder, fs::perms::owner_all, error);
        // Nobody could have put anything in it before it was closed to others.
        if (!error && fs::is_empty(folder, error) && !error) {
            return folder;
        }
        fs::remove_all(folder, error);
        return {};
    }
    return {};
}

lxw_format* newFormat(lxw_workbook* book, const char* numberFormat) {
    lxw_format* format = workbook_add_format(book);
    if (format && numberFormat) {
        format_set_num_format(format, numberFormat);
    }
    return format;
}

XlsxFormats addFormats(lxw_workbook* book) {
    XlsxFormats formats;
    formats.header = newFormat(book, nullptr);
    format_set_bold(formats.header);
    format_set_bottom(formats.header, LXW_BORDER_THIN);
    formats.thickness = newFormat(book, "0.000");
    // Bold and a frame, so that a low alarm still shows when the colours are printed in grey.
    formats.lowAlarm = newFormat(book, "0.000");
    format_set_bold(formats.lowAlarm);
    format_set_border(formats.lowAlarm, LXW_BORDER_MEDIUM);
    formats.derived = newFormat(book, "0.0000");
    formats.years = newFormat(book, "0.00");
    formats.date = newFormat(book, "yyyy-mm-dd hh:mm");
    formats.day = newFormat(book, "yyyy-mm-dd");
    formats.dayHeader = newFormat(book, "yyyy-mm-dd");
    format_set_bold(formats.dayHeader);
    format_set_bottom(formats.dayHeader, LXW_BORDER_THIN);
    formats.time = newFormat(book, "yyyy-mm-dd hh:mm:ss");
    formats.hole = newFormat(book, nullptr);
    format_set_pattern(formats.hole, LXW_PATTERN_GRAY_125);
    formats.excluded = newFormat(book, "0.000");
    format_set_font_strikeout(formats.excluded);
    format_set_italic(formats.excluded);
    return formats;
}

std::string sheetNameKey(const std::string& name) {
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return key;
}

// A sheet name cannot hold some characters nor begin or end with an apostrophe.
std::string validSheetName(const std::string& name) {
    std::string valid = textAsUtf8(name);
    for (char& c : valid) {
        if (kSheetNameForbidden.find(c) != std::string_view::npos ||
            static_cast<unsigned char>(c) < 0x20) {
            c = '_';
        }
    }
    if (!valid.empty() && valid.front() == '\'') {
        valid.front() = '_';
    }
    valid = firstCharacters(valid, kSheetNameLimit);
    if (!valid.empty() && valid.back() == '\'') {
        valid.back() = '_';
    }
    return valid.empty() ? "Sheet" : valid;
}

// The library writes its numbers with the C library's printf, in the locale's decimal
// separator: under a comma-decimal locale (which the program's window sets) "0.25" would be
// "0,25", a cell that spreadsheet programs refuse. The numbers are written as the workbook is
// closed; meanwhile the C locale's point is in force.
class PointDecimals {
  public:
    PointDecimals() {
        if (const char* current = std::setlocale(LC_NUMERIC, nullptr)) {
            previous_ = current;
        }
        std::setlocale(LC_NUMERIC, "C");
    }
    ~PointDecimals() {
        if (!previous_.empty()) {
            std::setlocale(LC_NUMERIC, previous_.c_str());
        }
    }
    PointDecimals(const PointDecimals&) = delete;
    PointDecimals& operator=(const PointDecimals&) = delete;

  private:
    std::string previous_;
};

}  // namespace

XlsxBook::XlsxBook(const WorkbookProperties& properties) : scratch_(makeScratchFolder()) {
    if (scratch_.empty()) {
        return;
    }
    scratchText_ = scratch_.string();
    lxw_workbook_options options{};
    options.tmpdir = scratchText_.data();
    book_ = workbook_new_opt((scratch_ / kWorkbookName).string().c_str(), &options);
    if (!book_) {
        return;
    }
    formats_ = addFormats(book_);
    std::string title = textAsUtf8(properties.title);
    std::string subject = properties.subject;
    std::string program = properties.program;
    lxw_doc_properties document{};
    document.title = title.data();
    document.subject = subject.data();
    document.author = program.data();
    document.comments = program.data();
    failed_ = workbook_set_properties(book_, &document) != LXW_NO_ERROR;
}

XlsxBook::~XlsxBook() {
    if (book_) {
        // Not finished: the library still has to free what it holds.
        workbook_close(book_);
    }
    std::error_code error;
    if (!scratch_.empty()) {
        fs::remove_all(scratch_, error);
    }
}

lxw_worksheet* XlsxBook::addSheet(const std::string& name) {
    if (!book_) {
        return nullptr;
    }
    const std::string base = validSheetName(name);
    std::string unique = base;
    for (int copy = 2; sheetNames_.count(sheetNameKey(unique)) != 0; ++copy) {
        const std::string suffix = " (" + std::to_string(copy) + ")";
        unique = firstCharacters(base, kSheetNameLimit - suffix.size()) + suffix;
    }
    sheetNames_.insert(sheetNameKey(unique));
    lxw_worksheet* sheet = workbook_add_worksheet(book_, unique.c_str());
    failed_ = failed_ || sheet == nullptr;
    return sheet;
}

std::optional<std::string> XlsxBook::finish() {
    if (!book_) {
        return std::nullopt;
    }
    const lxw_error closed = [this] {
        const PointDecimals point;
        return workbook_close(book_);
    }();
    book_ = nullptr;
    if (closed != LXW_NO_ERROR || failed_) {
        return std::nullopt;
    }
    return readFileBytes((scratch_ / kWorkbookName).string());
}

}  // namespace korvel
