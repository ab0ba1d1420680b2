#include "history/sql_connection.h"

#include "app/text_encoding.h"

namespace korvel::history {

SqlValue sqlValue(const std::optional<double>& value) {
    return value ? SqlValue(*value) : SqlValue();
}

SqlValue sqlValue(const std::optional<long long>& value) {
    return value ? SqlValue(*value) : SqlValue();
}

SqlValue sqlText(const std::string& text) {
    return text.empty() ? SqlValue() : SqlValue(text);
}

std::string_view storedText(const std::string& text, std::string& converted) {
    if (isValidUtf8(text)) {
        return text;
    }
    converted = windows1252ToUtf8(text);
    return converted;
}

std::optional<double> SqlRow::optionalReal(int column) const {
    return isNull(column) ? std::nullopt : std::optional<double>(real(column));
}

std::optional<long long> SqlRow::optionalInteger(int column) const {
    return isNull(column) ? std::nullopt : std::optional<long long>(integer(column));
}

SqlTransaction::~SqlTransaction() {
    if (open_) {
        connection_.rollback();
    }
}

HistoryStatus SqlTransaction::begin() {
    auto status = connection_.begin();
    open_ = static_cast<bool>(status);
    return status;
}

HistoryStatus SqlTransaction::commit() {
    auto status = connection_.commit();
    if (status) {
        open_ = false;
    }
    return status;
}

}  // namespace korvel::history
