// The sheets of an asset's history workbook: Figures, Values and the Audit log.

#include <unordered_map>
#include <unordered_set>

#include "workbook/history_workbook.h"
#include "workbook/survey_sheets.h"
#include "workbook/xlsx_cells.h"

namespace korvel {
namespace {

using namespace korvel::history;

constexpr double kLabelWidth = 30;
constexpr double kColumnWidth = 14;
constexpr double kNoteWidth = 40;
constexpr long long kMinutesPerDay = 24 * 60;

// The calendar day of a date: the figures go by days, so the cells hold whole days.
SurveyDate dayOf(long long minutes) {
    return {minutes - ((minutes % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay};
}

// The title fields' labels, in the order of titleFields().
constexpr const char* kTitleLabels[kTitleFieldCount] = {
    "Client",      "Site",         "Component",        "Inspector", "Certification",
    "Gauge model", "Gauge serial", "Calibration date", "Probe",     "Comments"};

// The asset's properties and its figures; the row after them.
int writeAssetFacts(SheetWriter& sheet, const XlsxFormats& formats, const AssetFigures& figures) {
    const Asset& asset = figures.asset;
    const std::string& units = figures.units;
    int row = 0;
    const auto label = [&](const std::string& text) { sheet.text(row, 0, text, formats.header); };
    label("Asset");
    sheet.text(row++, 1, asset.name);
    label("Units");
    sheet.text(row++, 1, units);
    label(withUnits("Required thickness", units));
    sheet.number(row++, 1, asset.required, formats.thickness);
    label(withUnits("Nominal thickness", units));
    sheet.number(row++, 1, asset.nominal, formats.thickness);
    label("Code");
    sheet.text(row++, 1, asset.code ? codeName(*asset.code) : "");
    label("Class");
    sheet.number(
        row++, 1,
        asset.inspectionClass ? std::optional(double(*asset.inspectionClass)) : std::nullopt);
    label("Surveys");
    sheet.number(row++, 1, double(figures.surveys));
    label("Next inspection");
    if (figures.dueFirst) {
        const LocationFigures& due = figures.locations[*figures.dueFirst];
        sheet.date(row, 1, dayOf(*due.nextInspectionMinutes), formats.day);
        sheet.text(row, 2, due.location);
    }
    ++row;
    label("Shortest remaining life (years)");
    if (figures.shortestLife) {
        const LocationFigures& shortest = figures.locations[*figures.shortestLife];
        sheet.number(row, 1, shortest.remainingLife, formats.years);
        sheet.text(row, 2, shortest.location);
    }
    ++row;
    for (const auto& field : titleFields()) {
        if (!asset.title[field.field].empty()) {
            label(kTitleLabels[static_cast<std::size_t>(field.field)]);
            sheet.text(row++, 1, asset.title[field.field]);
        }
    }
    return row;
}

std::vector<std::string> figuresHeader(const std::string& units) {
    const std::string rate = units.empty() ? "" : units + "/year";
    return {"Location",
            "Values",
            "Initial date",
            withUnits("Initial", units),
            "Previous date",
            withUnits("Previous", units),
            "Actual date",
            withUnits("Actual", units),
            withUnits("Long-term rate", rate),
            withUnits("Short-term rate", rate),
            withUnits("Regression rate", rate),
            withUnits("Governing rate", rate),
            "Remaining life (years)",
            "Next inspection",
            "Below required"};
}

void writeDatedValue(SheetWriter& sheet, const XlsxFormats& formats, int row, int column,
                     const std::optional<DatedValue>& value) {
    if (value) {
        sheet.date(row, column, dayOf(value->dateMinutes), formats.day);
        sheet.number(row, column + 1, value->value, formats.thickness);
    }
}

void writeLocationFigures(SheetWriter& sheet, const XlsxFormats& formats, int row,
                          const LocationFigures& figures) {
    sheet.text(row, 0, figures.location);
    sheet.number(row, 1, double(figures.values));
    writeDatedValue(sheet, formats, row, 2, figures.initial);
    writeDatedValue(sheet, formats, row, 4, figures.previous);
    writeDatedValue(sheet, formats, row, 6, figures.actual);
    int column = 8;
    for (const auto& rate : {figures.longTermRate, figures.shortTermRate, figures.regressionRate,
                             figures.governingRate}) {
        sheet.number(row, column++, rate, formats.derived);
    }
    sheet.number(row, column++, figures.remainingLife, formats.years);
    if (figures.nextInspectionMinutes) {
        sheet.date(row, column, dayOf(*figures.nextInspectionMinutes), formats.day);
    }
    sheet.boolean(row, column + 1, figures.belowRequired);
}

bool writeFiguresSheet(XlsxBook& book, const AssetFigures& figures) {
    SheetWriter sheet(book.addSheet("Figures"));
    const XlsxFormats& formats = book.formats();
    sheet.columnWidth(0, 0, kLabelWidth);
    const auto header = figuresHeader(figures.units);
    sheet.columnWidth(1, int(header.size()) - 1, kColumnWidth);
    const int top = writeAssetFacts(sheet, formats, figures) + 1;
    const int count = int(figures.locations.size());
    sheet.tableHeader(top, header, formats.header, top + count);
    for (int i = 0; i < count; ++i) {
        writeLocationFigures(sheet, formats, top + 1 + i, figures.locations[std::size_t(i)]);
    }
    return sheet.ok();
}

// Every value of every survey: a location per row, a survey per column (its file above its
// date), then a line saying how holes and left-out readings are told apart.
bool writeValuesSheet(XlsxBook& book, const AssetHistory& history) {
    SheetWriter sheet(book.addSheet("Values"));
    const XlsxFormats& formats = book.formats();
    const auto& surveys = history.surveys;
    const auto& locations = history.figures.locations;
    sheet.columnWidth(0, 0, kColumnWidth);
    if (!surveys.empty()) {
        sheet.columnWidth(1, int(surveys.size()), kColumnWidth);
    }
    sheet.text(0, 0, "Survey", formats.header);
    sheet.text(1, 0, withUnits("Location", history.figures.units), formats.header);
    std::unordered_map<long long, int> columns;
    for (std::size_t i = 0; i < surveys.size(); ++i) {
        const int column = int(i) + 1;
        columns[surveys[i].id] = column;
        sheet.text(0, column, surveys[i].file, formats.header);
        sheet.date(1, column, dayOf(surveys[i].dateMinutes), formats.dayHeader);
    }
    sheet.freeze(2, 1);
    std::unordered_map<std::string, int> rows;
    for (std::size_t i = 0; i < locations.size(); ++i) {
        rows[locations[i].location] = int(i) + 2;
        sheet.text(int(i) + 2, 0, locations[i].location);
    }
    // A location given twice in one survey counts once, its first reading, as in the figures.
    long long survey = -1;
    std::unordered_set<std::string> seen;
    for (const auto& reading : history.readings) {
        if (reading.survey != survey) {
            survey = reading.survey;
            seen.clear();
        }
        if (!seen.insert(reading.location).second) {
            continue;
        }
        const int row = rows[reading.location], column = columns[reading.survey];
        if (!reading.value) {
            sheet.blank(row, column, formats.hole);
        } else if (reading.excluded) {
            sheet.number(row, column, reading.value, formats.excluded);
            sheet.comment(row, column, reading.note);
        } else {
            sheet.number(row, column, reading.value, formats.thickness);
        }
    }
    const int legend = int(locations.size()) + 3;
    sheet.blank(legend, 0, formats.hole);
    sheet.text(legend, 1, "A hole: the survey has the location, without a thickness.");
    sheet.number(legend + 1, 0, 0.0, formats.excluded);
    sheet.text(legend + 1, 1,
               "Left out of the figures: struck through, the reason in the cell's comment.");
    return sheet.ok();
}

bool writeAuditSheet(XlsxBook& book, const std::vector<AuditEntry>& entries) {
    SheetWriter sheet(book.addSheet("Audit log"));
    const XlsxFormats& formats = book.formats();
    sheet.tableHeader(0, {"Time (UTC)", "User", "Action", "Survey", "Location", "Note"},
                      formats.header, int(entries.size()));
    sheet.columnWidth(0, 0, 20);
    sheet.columnWidth(1, 4, kColumnWidth);
    sheet.columnWidth(5, 5, kNoteWidth);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const AuditEntry& entry = entries[i];
        const int row = int(i) + 1;
        sheet.timestamp(row, 0, entry.time, formats.time);
        sheet.text(row, 1, entry.user);
        sheet.text(row, 2, entry.action);
        if (entry.survey) {
            sheet.number(row, 3, double(*entry.survey));
        }
        sheet.text(row, 4, entry.location);
        sheet.text(row, 5, entry.note);
    }
    return sheet.ok();
}

}  // namespace

std::optional<std::string> historyWorkbookBytes(const AssetHistory& history,
                                                const std::string& program) {
    XlsxBook book({history.figures.asset.name, "Inspection history", program});
    if (!book.isOpen() || !writeFiguresSheet(book, history.figures) ||
        !writeValuesSheet(book, history) || !writeAuditSheet(book, history.audit)) {
        return std::nullopt;
    }
    return book.finish();
}

}  // namespace korvel
