#include <xlsxwriter.h>

#include "workbook/survey_sheets.h"
#include "workbook/xlsx_cells.h"

namespace korvel {
namespace {

// The widest sheet a spreadsheet program opens: the labels and the minima take two columns.
constexpr std::size_t kMaxSheetColumns = 16384;
constexpr double kMapColumnWidth = 8;
// Thin wall red, the median yellow, thick wall green.
constexpr lxw_color_t kThinColour = 0xF8696B;
constexpr lxw_color_t kMiddleColour = 0xFFEB84;
constexpr lxw_color_t kThickColour = 0x63BE7B;
constexpr double kMedianPercentile = 50;
constexpr const char* kMinimumLabel = "Min";

std::string mapSheetName(const Survey& survey, const SurveyLayer& layer) {
    if (survey.layers.size() == 1 && layer.name.empty()) {
        return "Map";
    }
    return "Map " + (survey.layerAxis.empty() ? "" : survey.layerAxis + " ") + layer.name;
}

// The grid's cells start at B2: column letters above, row numbers at the left.
void writeGrid(SheetWriter& sheet, const Survey& survey, const SurveyLayer& layer,
               const XlsxFormats& formats) {
    sheet.text(0, 0, layer.name, formats.header);
    sheet.texts(0, 1, layer.columnLabels, formats.header);
    for (std::size_t row = 0; row < layer.rows(); ++row) {
        sheet.text(int(row) + 1, 0, layer.rowLabels[row], formats.header);
        for (std::size_t column = 0; column < layer.columns(); ++column) {
            const int point = layer.at(row, column);
            if (point == kNoPoint) {
                continue;
            }
            const SurveyPoint& reading = survey.points[std::size_t(point)];
            const bool low = reading.alarm == AlarmLevel::LowAlarm;
            sheet.number(int(row) + 1, int(column) + 1, reading.thickness,
                         low ? formats.lowAlarm : formats.thickness);
        }
    }
}

void writeMinima(SheetWriter& sheet, const SurveyLayer& layer, const LayerStatistics& statistics,
                 const XlsxFormats& formats) {
    const int minimaColumn = int(layer.columns()) + 1;
    const int minimaRow = int(layer.rows()) + 1;
    sheet.text(0, minimaColumn, kMinimumLabel, formats.header);
    for (std::size_t row = 0; row < layer.rows(); ++row) {
        sheet.number(int(row) + 1, minimaColumn, statistics.rowMinima[row], formats.thickness);
    }
    sheet.text(minimaRow, 0, kMinimumLabel, formats.header);
    for (std::size_t column = 0; column < layer.columns(); ++column) {
        sheet.number(minimaRow, int(column) + 1, statistics.columnMinima[column],
                     formats.thickness);
    }
}

bool shadeGrid(lxw_worksheet* sheet, const SurveyLayer& layer) {
    lxw_conditional_format scale{};
    scale.type = LXW_CONDITIONAL_3_COLOR_SCALE;
    scale.min_color = kThinColour;
    scale.mid_rule_type = LXW_CONDITIONAL_RULE_TYPE_PERCENTILE;
    scale.mid_value = kMedianPercentile;
    scale.mid_color = kMiddleColour;
    scale.max_color = kThickColour;
    return worksheet_conditional_format_range(sheet, 1, 1, lxw_row_t(layer.rows()),
                                              lxw_col_t(layer.columns()), &scale) == LXW_NO_ERROR;
}

bool writeMapSheet(XlsxBook& book, const Survey& survey, const SurveyLayer& layer,
                   const LayerStatistics& statistics) {
    SheetWriter sheet(book.addSheet(mapSheetName(survey, layer)));
    writeGrid(sheet, survey, layer, book.formats());
    writeMinima(sheet, layer, statistics, book.formats());
    sheet.columnWidth(1, int(layer.columns()), kMapColumnWidth);
    if (!sheet.ok()) {
        return false;
    }
    worksheet_freeze_panes(sheet.sheet(), 1, 1);
    return shadeGrid(sheet.sheet(), layer);
}

}  // namespace

// A layer wider than a sheet (only hostile location codes make one) gets no map; its readings
// are on the Readings sheet all the same.
bool writeMapSheets(XlsxBook& book, const Survey& survey, const SurveyStatistics& statistics) {
    for (std::size_t i = 0; i < survey.layers.size(); ++i) {
        const SurveyLayer& layer = survey.layers[i];
        if (layer.columns() == 0 || layer.rows() == 0 || layer.columns() + 2 > kMaxSheetColumns) {
            continue;
        }
        if (!writeMapSheet(book, survey, layer, statistics.layers[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace korvel
