#pragma once
// One workbook being written with libxlsxwriter: its sheets, the cell formats every sheet
// shares and its document properties. The library writes to a path, so the workbook is made
// in a private scratch folder of the system's temporary folder and handed over as bytes, for
// the safe save to put in place; the scratch folder is gone when the object is.

#include <filesystem>
#include <optional>
#include <set>
#include <string>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace korvel {

// The formats of the cells: labels and column headers, thicknesses, the low-alarm cells of a
// map, derived figures (means, rates), years, whole numbers and dates; for a history the
// calendar days (also as column headers), the audit log's times, a hole (a shaded empty cell)
// and a reading left out of the figures (struck through).
struct XlsxFormats {
    lxw_format* header = nullptr;
    lxw_format* thickness = nullptr;
    lxw_format* lowAlarm = nullptr;
    lxw_format* derived = nullptr;
    lxw_format* years = nullptr;
    lxw_format* date = nullptr;
    lxw_format* day = nullptr;
    lxw_format* dayHeader = nullptr;
    lxw_format* time = nullptr;
    lxw_format* hole = nullptr;
    lxw_format* excluded = nullptr;
};

// What the document properties say: its title (the file's or the asset's name), what it holds
// and the program that wrote it, with its version.
struct WorkbookProperties {
    std::string title;
    std::string subject;
    std::string program;
};

class XlsxBook {
  public:
    explicit XlsxBook(const WorkbookProperties& properties);
    ~XlsxBook();
    XlsxBook(const XlsxBook&) = delete;
    XlsxBook& operator=(const XlsxBook&) = delete;

    // False when the scratch folder or the workbook could not be made.
    bool isOpen() const { return book_ != nullptr; }

    // A new sheet under the name, made valid for a sheet (at most 31 characters, none of
    // []:*?/\, unique in the book); null when the book is not open.
    lxw_worksheet* addSheet(const std::string& name);

    const XlsxFormats& formats() const { return formats_; }

    // Closes the workbook and returns its bytes; none when anything failed. Call once.
    std::optional<std::string> finish();

  private:
    std::filesystem::path scratch_;
    std::string scratchText_;  // the library keeps a pointer to its temporary folder
    lxw_workbook* book_ = nullptr;
    XlsxFormats formats_;
    std::set<std::string> sheetNames_;
    bool failed_ = false;
};

}  // namespace korvel
