#include "report/report_content.h"

#include "app/text_table.h"
#include "dataview/readings/reading_table.h"
#include "dataview/readings/shown_readings.h"
#include "report/inspection_report.h"

namespace korvel {
namespace {

constexpr const char* kNoteSeparator = " / ";

std::string replaced(std::string text, const std::string& marker, const std::string& value) {
    const auto at = text.find(marker);
    return at == std::string::npos ? text : text.replace(at, marker.size(), value);
}

std::vector<std::pair<std::string, std::string>> titleBlock(const DataFile& file,
                                                            const std::string& displayName,
                                                            const TextTable& texts,
                                                            const ReportOrigin& origin) {
    const std::string product =
        file.productVersion.empty() ? file.product : file.product + " " + file.productVersion;
    return {
        {texts.message("IDS_REPORT_FILE"), displayName},
        {texts.message("IDS_REPORT_TYPE"), file.headerValue("Type")},
        {texts.message("IDS_REPORT_PRODUCT"), product},
        {texts.message("IDS_REPORT_CREATED"), reportDateOf(file.headerValue("Created"))},
        {texts.message("IDS_REPORT_LAST_SAVED"), reportDateOf(file.headerValue("Last Saved"))},
        {texts.message("IDS_REPORT_GAGE"), texts.gaugeName()},
        {texts.message("IDS_REPORT_PROGRAM"), origin.program},
        {texts.message("IDS_REPORT_DATE"), origin.reportDate},
    };
}

// One row per setup field, one column per setup: the setups of a file are few, their fields
// many, and a page is taller than wide.
ReportTable setupTable(const DataFile& file) {
    ReportTable table;
    if (file.setupColumns.empty()) {
        return table;
    }
    table.header.push_back(file.setupColumns.front());
    for (const auto& setup : file.setups) {
        table.header.push_back(setup.empty() ? std::string() : setup.front());
    }
    for (std::size_t field = 1; field < file.setupColumns.size(); ++field) {
        std::vector<std::string> row{file.setupColumns[field]};
        for (const auto& setup : file.setups) {
            row.push_back(field < setup.size() ? setup[field] : std::string());
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

ReportTable noteTable(const DataFile& file) {
    ReportTable table;
    if (file.noteColumns.empty()) {
        return table;
    }
    table.header = {file.noteColumns.front(), std::string()};
    for (const auto& note : file.notes) {
        std::string text;
        for (std::size_t field = 1; field < note.size(); ++field) {
            if (!note[field].empty()) {
                text += (text.empty() ? "" : kNoteSeparator) + note[field];
            }
        }
        table.rows.push_back({note.empty() ? std::string() : note.front(), text});
    }
    return table;
}

void fillReadings(const DataFile& file, std::optional<ThicknessUnits> units,
                  ReportContent& content) {
    const ReadingTable table(file);
    ShownReadings shown(table);
    shown.setUnits(units);
    for (int column = 0; column < table.columnCount(); ++column) {
        content.readings.header.push_back(table.columnName(column));
    }
    content.readings.rows.reserve(static_cast<std::size_t>(table.rowCount()));
    for (int row = 0; row < table.rowCount(); ++row) {
        std::vector<std::string> cells;
        cells.reserve(static_cast<std::size_t>(table.columnCount()));
        for (int column = 0; column < table.columnCount(); ++column) {
            cells.push_back(shown.text(row, column));
        }
        content.readings.rows.push_back(std::move(cells));
        content.readingAlarms.push_back(alarmClassOf(table.textOf(row, "Alarm")));
        if (table.reading(row).ascan) {
            content.ascanReadings.push_back(row);
        }
    }
}

}  // namespace

ReportContent reportContent(const DataFile& file, const std::string& displayName,
                            const TextTable& texts, const ReportOrigin& origin,
                            std::optional<ThicknessUnits> units) {
    ReportContent content;
    content.title = texts.message("IDS_REPORT_TITLE");
    content.titleBlock = titleBlock(file, displayName, texts, origin);
    content.setupsHeading = texts.message("IDS_REPORT_SETUPS");
    content.setups = setupTable(file);
    content.notesHeading = texts.message("IDS_REPORT_NOTES");
    content.notes = noteTable(file);
    content.readingsHeading = texts.message("IDS_REPORT_READINGS");
    content.noReadings = texts.message("IDS_REPORT_NO_READINGS");
    fillReadings(file, units, content);
    content.alarmLegend = texts.message("IDS_REPORT_ALARM");
    content.warningLegend = texts.message("IDS_REPORT_WARNING");
    content.ascansHeading = texts.message("IDS_REPORT_ASCANS");
    content.footerName = displayName;
    content.pageFormat = texts.message("IDS_REPORT_PAGE");
    return content;
}

std::string pageLabel(const std::string& format, int page, int pageCount) {
    return replaced(replaced(format, "%s", std::to_string(page)), "%s", std::to_string(pageCount));
}

}  // namespace korvel
