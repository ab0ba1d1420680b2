#include "workbook/survey_sheets.h"
#include "workbook/xlsx_cells.h"

namespace korvel {
namespace {

constexpr double kReadingColumnWidth = 11;
constexpr std::string_view kIdColumn = "ID";
constexpr std::string_view kThicknessColumn = "Thickness";

std::vector<std::string> readingHeader(const DataFile& file, const Survey& survey) {
    std::vector<std::string> names = file.readingColumns;
    for (auto& name : names) {
        if (name == kThicknessColumn) {
            name = withUnits(name, survey.units);
        }
    }
    return names;
}

}  // namespace

// The ID stays a text ("0012" keeps its zeros), the thickness is the survey's number (none for
// a hole), the alarm and every other text field stay texts; other numbers are numbers.
bool writeReadingsSheet(XlsxBook& book, const DataFile& file, const Survey& survey) {
    SheetWriter sheet(book.addSheet("Readings"));
    const auto& formats = book.formats();
    const auto columns = readingHeader(file, survey);
    sheet.tableHeader(0, columns, formats.header, int(file.readings.size()));
    if (!columns.empty()) {
        sheet.columnWidth(0, int(columns.size()) - 1, kReadingColumnWidth);
    }
    const auto id = file.readingColumn(std::string(kIdColumn));
    const auto thickness = file.readingColumn(std::string(kThicknessColumn));
    for (std::size_t i = 0; i < file.readings.size() && sheet.ok(); ++i) {
        const auto& fields = file.readings[i].fields;
        const int row = int(i) + 1;
        for (std::size_t column = 0; column < fields.size(); ++column) {
            if (column == thickness) {
                sheet.number(row, int(column), survey.points[i].thickness, formats.thickness);
            } else if (column == id) {
                sheet.text(row, int(column), fields[column]);
            } else {
                sheet.field(row, int(column), fields[column]);
            }
        }
    }
    return sheet.ok();
}

}  // namespace korvel
