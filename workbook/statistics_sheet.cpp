#include "workbook/survey_sheets.h"
#include "workbook/xlsx_cells.h"

namespace korvel {
namespace {

constexpr double kLabelWidth = 22;
constexpr double kValueWidth = 16;
// Every layer's figures stand in a column of their own, as far as a sheet reaches.
constexpr std::size_t kMaxFigureColumns = 16000;

// The file's own description: name, type, product, dates, units and size.
int writeFileFacts(SheetWriter& sheet, const XlsxFormats& formats, const std::string& fileName,
                   const DataFile& file, const Survey& survey) {
    const std::pair<const char*, std::string> texts[] = {
        {"File", fileName}, {"Type", survey.type}, {"Product", file.product}};
    int row = 0;
    for (const auto& [label, value] : texts) {
        sheet.text(row, 0, label, formats.header);
        sheet.text(row++, 1, value);
    }
    for (const char* header : {"Created", "Last Saved"}) {
        sheet.text(row, 0, header, formats.header);
        sheet.date(row++, 1, file.headerValue(header), formats.date);
    }
    sheet.text(row, 0, "Units", formats.header);
    sheet.text(row++, 1, survey.units);
    sheet.text(row, 0, "Readings", formats.header);
    sheet.number(row++, 1, double(survey.points.size()));
    return row;
}

// One column of figures, from the row given: the order of the labels below.
void writeFigures(SheetWriter& sheet, const XlsxFormats& formats, int row, int column,
                  const Survey& survey, const SurveyFigures& figures) {
    const ValueFigures& thickness = figures.thickness;
    const AlarmCounts& alarms = figures.alarms;
    sheet.number(row++, column, double(thickness.count));
    sheet.number(row++, column, double(thickness.holes));
    sheet.number(row++, column, extremeValue(thickness.minimum), formats.thickness);
    sheet.text(row++, column, extremeLocations(survey, thickness.minimum));
    sheet.number(row++, column, extremeValue(thickness.maximum), formats.thickness);
    sheet.text(row++, column, extremeLocations(survey, thickness.maximum));
    sheet.number(row++, column, thickness.mean, formats.derived);
    sheet.number(row++, column, thickness.standardDeviation, formats.derived);
    for (const std::size_t count :
         {alarms.lowAlarm, alarms.lowWarning, alarms.highAlarm, alarms.highWarning}) {
        sheet.number(row++, column, double(count));
    }
}

std::vector<std::string> figureLabels(const std::string& units) {
    return {"Readings with a value",
            "Holes",
            withUnits("Minimum", units),
            "Minimum at",
            withUnits("Maximum", units),
            "Maximum at",
            withUnits("Mean", units),
            withUnits("Std. deviation", units),
            "Low alarms",
            "Low warnings",
            "High alarms",
            "High warnings"};
}

std::string layerHeading(const Survey& survey, const SurveyLayer& layer) {
    if (layer.name.empty()) {
        return "Map";
    }
    return survey.layerAxis.empty() ? layer.name : survey.layerAxis + " " + layer.name;
}

}  // namespace

std::string extremeLocations(const Survey& survey, const std::optional<SurveyExtreme>& extreme) {
    std::string joined;
    for (const std::size_t point : extreme ? extreme->points : std::vector<std::size_t>()) {
        joined += (joined.empty() ? "" : ", ") + survey.points[point].location;
    }
    return joined;
}

std::optional<double> extremeValue(const std::optional<SurveyExtreme>& extreme) {
    return extreme ? std::optional(extreme->value) : std::nullopt;
}

bool writeStatisticsSheet(XlsxBook& book, const std::string& fileName, const DataFile& file,
                          const Survey& survey, const SurveyStatistics& statistics) {
    SheetWriter sheet(book.addSheet("Statistics"));
    const XlsxFormats& formats = book.formats();
    sheet.columnWidth(0, 0, kLabelWidth);
    const int top = writeFileFacts(sheet, formats, fileName, file, survey) + 1;
    const std::size_t layers = std::min(survey.layers.size(), kMaxFigureColumns);
    sheet.columnWidth(1, int(layers) + 1, kValueWidth);
    sheet.text(top, 1, "Whole file", formats.header);
    for (std::size_t i = 0; i < layers; ++i) {
        sheet.text(top, int(i) + 2, layerHeading(survey, survey.layers[i]), formats.header);
    }
    const auto labels = figureLabels(survey.units);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        sheet.text(top + 1 + int(i), 0, labels[i], formats.header);
    }
    writeFigures(sheet, formats, top + 1, 1, survey, statistics.whole);
    for (std::size_t i = 0; i < layers; ++i) {
        writeFigures(sheet, formats, top + 1, int(i) + 2, survey, statistics.layers[i].figures);
    }
    return sheet.ok();
}

}  // namespace korvel
