#include "workbook/survey_sheets.h"

#include "workbook/xlsx_cells.h"

namespace korvel {

namespace {
constexpr double kTableColumnWidth = 12;
}

bool writeTableSheet(XlsxBook& book, const std::string& sheetName,
                     const std::vector<std::string>& columns,
                     const std::vector<std::vector<std::string>>& rows) {
    SheetWriter sheet(book.addSheet(sheetName));
    sheet.tableHeader(0, columns, book.formats().header, int(rows.size()));
    if (!columns.empty()) {
        sheet.columnWidth(0, int(columns.size()) - 1, kTableColumnWidth);
    }
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            sheet.field(int(row) + 1, int(column), rows[row][column]);
        }
    }
    return sheet.ok();
}

std::string withUnits(const std::string& name, const std::string& units) {
    return units.empty() ? name : name + " (" + units + ")";
}

}  // namespace korvel
