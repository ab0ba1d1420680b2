#include "workbook/survey_sheets.h"
#include "workbook/xlsx_cells.h"

namespace korvel {
namespace {

constexpr double kColumnWidth = 16;
constexpr double kLabelWidth = 30;
constexpr double kMinutesPerDay = 24 * 60;

// The figures of the whole comparison; the row after them.
int writeSummary(SheetWriter& sheet, const XlsxFormats& formats, const ComparisonInput& input) {
    const SurveyComparison& comparison = input.comparison;
    const std::string& units = input.current.units;
    const auto days = comparison.elapsedMinutes
                          ? std::optional(double(*comparison.elapsedMinutes) / kMinutesPerDay)
                          : std::nullopt;
    int row = 0;
    const auto label = [&](const std::string& text) { sheet.text(row, 0, text, formats.header); };
    for (const auto& [name, value] : {std::pair{"Earlier survey", input.earlierName},
                                      std::pair{"Current survey", input.currentName}}) {
        label(name);
        sheet.text(row++, 1, value);
    }
    label("Days between the surveys");
    sheet.number(row++, 1, days, formats.years);
    label("Years between the surveys");
    sheet.number(row++, 1, comparison.elapsedYears(), formats.derived);
    label(withUnits("Minimum thickness", units));
    if (comparison.minimumThickness) {
        sheet.number(row++, 1, comparison.minimumThickness, formats.thickness);
    } else {
        sheet.text(row++, 1, "Low alarm of each reading's setup");
    }
    const struct {
        std::string name;
        const std::optional<SurveyExtreme>& extreme;
        lxw_format* format;
    } extremes[] = {
        {withUnits("Largest loss", units), comparison.lossFigures.maximum, formats.thickness},
        {withUnits("Largest rate per year", units), comparison.largestRate, formats.derived},
        {"Shortest remaining life (years)", comparison.shortestLife, formats.years},
    };
    for (const auto& extreme : extremes) {
        label(extreme.name);
        sheet.number(row, 1, extremeValue(extreme.extreme), extreme.format);
        sheet.text(row++, 2, extremeLocations(input.current, extreme.extreme));
    }
    return row;
}

std::vector<std::string> locationHeader(const std::string& units) {
    return {"Location",
            withUnits("Earlier", units),
            withUnits("Current", units),
            withUnits("Loss", units),
            withUnits("Rate per year", units),
            "Remaining life (years)"};
}

}  // namespace

bool writeComparisonSheet(XlsxBook& book, const ComparisonInput& input) {
    SheetWriter sheet(book.addSheet("Comparison"));
    const XlsxFormats& formats = book.formats();
    const SurveyComparison& comparison = input.comparison;
    sheet.columnWidth(0, 0, kLabelWidth);
    sheet.columnWidth(1, 5, kColumnWidth);
    const int header = writeSummary(sheet, formats, input) + 1;
    const int points = int(comparison.loss.size());
    sheet.tableHeader(header, locationHeader(input.current.units), formats.header, header + points);
    for (int i = 0; i < points; ++i) {
        const auto point = std::size_t(i);
        const int row = header + 1 + i;
        sheet.text(row, 0, input.current.points[point].location);
        sheet.number(row, 1, input.earlier.points[point].thickness, formats.thickness);
        sheet.number(row, 2, input.current.points[point].thickness, formats.thickness);
        sheet.number(row, 3, comparison.loss[point], formats.thickness);
        sheet.number(row, 4, comparison.rate[point], formats.derived);
        sheet.number(row, 5, comparison.remainingLife[point], formats.years);
    }
    return sheet.ok();
}

}  // namespace korvel
