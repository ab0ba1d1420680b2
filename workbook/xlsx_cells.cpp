#include "workbook/xlsx_cells.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>

#include "app/text_encoding.h"
#include "survey/survey_layout.h"

namespace korvel {
namespace {

constexpr long long kSecondsPerMinute = 60;

lxw_row_t rowOf(int row) {
    return static_cast<lxw_row_t>(row);
}
lxw_col_t columnOf(int column) {
    return static_cast<lxw_col_t>(column);
}

bool isEmptyField(std::string_view field) {
    return field.find_first_not_of(" \t") == std::string_view::npos || field == "-";
}

// A control character (other than a tab or a line break) is stored escaped, which spreadsheet
// programs read back differently, if at all: it becomes a blank.
std::string cellText(std::string_view text) {
    std::string utf8 = textAsUtf8(text);
    for (char& c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) {
            c = ' ';
        }
    }
    return utf8;
}

}  // namespace

void SheetWriter::check(int error) {
    ok_ = ok_ && error == LXW_NO_ERROR;
}

void SheetWriter::text(int row, int column, std::string_view text, lxw_format* format) {
    if (ok_ && !text.empty()) {
        const std::string utf8 = cellText(text);
        check(worksheet_write_string(sheet_, rowOf(row), columnOf(column), utf8.c_str(), format));
    }
}

void SheetWriter::number(int row, int column, std::optional<double> value, lxw_format* format) {
    if (ok_ && value) {
        check(worksheet_write_number(sheet_, rowOf(row), columnOf(column), *value, format));
    }
}

void SheetWriter::field(int row, int column, std::string_view field) {
    if (isEmptyField(field)) {
        return;
    }
    if (const auto value = thicknessValue(field)) {
        number(row, column, value);
    } else {
        text(row, column, field);
    }
}

void SheetWriter::date(int row, int column, std::string_view text, lxw_format* format) {
    if (const auto parsed = parseSurveyDate(text)) {
        date(row, column, *parsed, format);
    } else {
        this->text(row, column, text);
    }
}

void SheetWriter::date(int row, int column, SurveyDate date, lxw_format* format) {
    if (ok_) {
        // The file's local time, written as it stands: no time zone is applied.
        check(worksheet_write_unixtime(sheet_, rowOf(row), columnOf(column),
                                       date.minutes * kSecondsPerMinute, format));
    }
}

void SheetWriter::timestamp(int row, int column, std::string_view text, lxw_format* format) {
    lxw_datetime time{};
    double seconds = 0;
    char zone = 0;
    const std::string whole(text);
    if (whole.size() != 20 ||
        std::sscanf(whole.c_str(), "%4d-%2d-%2dT%2d:%2d:%2lf%c", &time.year, &time.month, &time.day,
                    &time.hour, &time.min, &seconds, &zone) != 7 ||
        zone != 'Z') {
        this->text(row, column, text);
        return;
    }
    time.sec = seconds;
    if (ok_) {
        check(worksheet_write_datetime(sheet_, rowOf(row), columnOf(column), &time, format));
    }
}

void SheetWriter::boolean(int row, int column, bool value) {
    if (ok_) {
        check(
            worksheet_write_boolean(sheet_, rowOf(row), columnOf(column), value ? 1 : 0, nullptr));
    }
}

void SheetWriter::blank(int row, int column, lxw_format* format) {
    if (ok_) {
        check(worksheet_write_blank(sheet_, rowOf(row), columnOf(column), format));
    }
}

void SheetWriter::comment(int row, int column, std::string_view text) {
    if (ok_ && !text.empty()) {
        const std::string utf8 = cellText(text);
        check(worksheet_write_comment(sheet_, rowOf(row), columnOf(column), utf8.c_str()));
    }
}

void SheetWriter::texts(int row, int column, const std::vector<std::string>& texts,
                        lxw_format* format) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        text(row, column + int(i), texts[i], format);
    }
}

void SheetWriter::tableHeader(int row, const std::vector<std::string>& names, lxw_format* format,
                              int lastRow) {
    texts(row, 0, names, format);
    if (ok_ && !names.empty()) {
        freeze(row + 1, 0);
        check(worksheet_autofilter(sheet_, rowOf(row), 0, rowOf(std::max(row, lastRow)),
                                   columnOf(int(names.size()) - 1)));
    }
}

void SheetWriter::freeze(int row, int column) {
    if (ok_) {
        worksheet_freeze_panes(sheet_, rowOf(row), columnOf(column));
    }
}

void SheetWriter::columnWidth(int first, int last, double width) {
    if (ok_) {
        check(worksheet_set_column(sheet_, columnOf(first), columnOf(last), width, nullptr));
    }
}

}  // namespace korvel
