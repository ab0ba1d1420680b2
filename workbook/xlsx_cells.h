#pragma once
// Writing the cells of a sheet from the texts of a data file: texts as UTF-8, numbers as
// numbers, an empty field (or the "-" the data view shows for one) as an empty cell, dates as
// dates. Each call returns false when the library refused the cell.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "survey/survey_date.h"

struct lxw_worksheet;
struct lxw_format;

namespace korvel {

// A sheet and the outcome of every write to it so far.
class SheetWriter {
  public:
    explicit SheetWriter(lxw_worksheet* sheet) : sheet_(sheet), ok_(sheet != nullptr) {}

    lxw_worksheet* sheet() const { return sheet_; }
    bool ok() const { return ok_; }

    void text(int row, int column, std::string_view text, lxw_format* format = nullptr);
    // Nothing for none: a hole stays an empty cell.
    void number(int row, int column, std::optional<double> value, lxw_format* format = nullptr);
    // A field as a number when the whole field is one, else as text; empty and "-" as nothing.
    void field(int row, int column, std::string_view field);
    // The date as a date, or the text as it stands when it is not a date of the file's form.
    void date(int row, int column, std::string_view text, lxw_format* format);
    void date(int row, int column, SurveyDate date, lxw_format* format);
    // A UTC time "YYYY-MM-DDTHH:MM:SSZ" as a date and time, any other text as it stands.
    void timestamp(int row, int column, std::string_view text, lxw_format* format);
    void boolean(int row, int column, bool value);
    // A cell without a value, in the format (a hole's shading).
    void blank(int row, int column, lxw_format* format);
    // A note attached to the cell, shown when the pointer rests on it.
    void comment(int row, int column, std::string_view text);
    // Texts side by side from the column given.
    void texts(int row, int column, const std::vector<std::string>& texts,
               lxw_format* format = nullptr);
    // The header row of a table: bold, frozen above the rows below, with a filter over the
    // table's columns and rows.
    void tableHeader(int row, const std::vector<std::string>& names, lxw_format* format,
                     int lastRow);
    void columnWidth(int first, int last, double width);
    // Rows above `row` and columns left of `column` stay in view.
    void freeze(int row, int column);

  private:
    void check(int error);

    lxw_worksheet* sheet_;
    bool ok_;
};

}  // namespace korvel
