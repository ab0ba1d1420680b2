#include "history/postgres_connection.h"

#include <libpq-fe.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <memory>

namespace korvel::history {

namespace {

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

// The groups of roles, and what each may do; run by the database's owner, again and again.
constexpr std::string_view kRolesScript = R"sql(
DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'korvel_inspector') THEN
        CREATE ROLE korvel_inspector NOLOGIN;
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'korvel_viewer') THEN
        CREATE ROLE korvel_viewer NOLOGIN;
    END IF;
END
$$;
GRANT SELECT ON schema_version, assets, surveys, readings, exclusions, audit_log
    TO korvel_viewer, korvel_inspector;
GRANT INSERT, UPDATE ON assets TO korvel_inspector;
GRANT INSERT ON surveys, readings, audit_log TO korvel_inspector;
GRANT INSERT, DELETE ON exclusions TO korvel_inspector;
GRANT USAGE ON SEQUENCE assets_id_seq, surveys_id_seq, audit_log_id_seq TO korvel_inspector;
)sql";

std::string trimmedMessage(const char* text) {
    std::string message = text ? text : "";
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

HistoryFailure failureOf(std::string_view state) {
    if (state == "42501") {
        return HistoryFailure::PermissionDenied;
    }
    if (state == "25006") {
        return HistoryFailure::ReadOnly;
    }
    if (state == "42P01") {
        return HistoryFailure::NotInitialised;
    }
    if (state.substr(0, 2) == "08" || state.substr(0, 3) == "57P") {
        return HistoryFailure::ServerUnreachable;
    }
    if (state == "40P01" || state == "55P03") {
        return HistoryFailure::Locked;
    }
    return HistoryFailure::WriteFailed;
}

// "?" to "$1", "$2" ... (the statements hold no "?" in literals).
std::string numbered(std::string_view sql) {
    std::string out;
    int n = 0;
    for (const char c : sql) {
        out += c == '?' ? "$" + std::to_string(++n) : std::string(1, c);
    }
    return out;
}

std::string numberText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// A value as COPY's text format writes it.
std::string copyField(const SqlValue& value) {
    if (const auto* integer = std::get_if<long long>(&value)) {
        return std::to_string(*integer);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return numberText(*real);
    }
    const auto* given = std::get_if<std::string>(&value);
    if (!given) {
        return "\\N";
    }
    std::string converted;
    const std::string_view text = storedText(*given, converted);
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

int hexDigit(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

class PostgresRow : public SqlRow {
  public:
    PostgresRow(const PGresult* result, int row) : result_(result), row_(row) {}
    bool isNull(int column) const override { return PQgetisnull(result_, row_, column); }
    long long integer(int column) const override {
        return std::strtoll(PQgetvalue(result_, row_, column), nullptr, 10);
    }
    double real(int column) const override {
        const std::string text = this->text(column);
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    }
    std::string text(int column) const override {
        return std::string(PQgetvalue(result_, row_, column),
                           static_cast<std::size_t>(PQgetlength(result_, row_, column)));
    }
    // bytea in its text form: "\x" and two hex digits a byte.
    std::string blob(int column) const override {
        const std::string hex = text(column);
        std::string bytes;
        for (std::size_t i = 2; i + 1 < hex.size(); i += 2) {
            bytes += static_cast<char>(hexDigit(hex[i]) * 16 + hexDigit(hex[i + 1]));
        }
        return bytes;
    }

  private:
    const PGresult* result_;
    int row_;
};

// The server as messages name it: the string's host, port, database and user, never a
// password. Nothing when the string cannot be read; PasswordGiven when it holds a password.
HistoryResult<std::string> describe(const std::string& conninfo) {
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &error);
    if (!options) {
        HistoryError failure{HistoryFailure::ServerUnreachable, {"?"}, trimmedMessage(error)};
        PQfreemem(error);
        return failure;
    }
    std::string where;
    bool password = false;
    for (const PQconninfoOption* option = options; option->keyword; ++option) {
        const std::string keyword = option->keyword;
        const bool given = option->val && *option->val;
        password = password || (keyword == "password" && given);
        if (given && (keyword == "host" || keyword == "port" || keyword == "dbname" ||
                      keyword == "user" || keyword == "service")) {
            where += (where.empty() ? "" : " ") + keyword + "=" + option->val;
        }
    }
    PQconninfoFree(options);
    if (password) {
        return HistoryError{HistoryFailure::PasswordGiven, {where}, {}};
    }
    return where.empty() ? std::string("(the default server)") : where;
}

}  // namespace

HistoryResult<std::unique_ptr<SqlConnection>> PostgresConnection::open(
    const std::string& conninfo) {
    const auto where = describe(conninfo);
    if (!where) {
        return where.error;
    }
    PGconn* connection = PQconnectdb(conninfo.c_str());
    if (PQstatus(connection) != CONNECTION_OK) {
        HistoryError error{HistoryFailure::ServerUnreachable,
                           {*where},
                           trimmedMessage(PQerrorMessage(connection))};
        PQfinish(connection);
        return error;
    }
    PQsetNoticeProcessor(
        connection, [](void*, const char*) {}, nullptr);
    // Texts go and come as UTF-8 whatever the database's own encoding.
    PQsetClientEncoding(connection, "UTF8");
    return std::unique_ptr<SqlConnection>(new PostgresConnection(connection, *where));
}

PostgresConnection::~PostgresConnection() {
    PQfinish(connection_);
}

HistoryError PostgresConnection::failure(const PGresult* result) {
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    uniqueViolation_ = state && std::string_view(state) == "23505";
    // An error without a state is libpq's own: the connection, not the statement, failed.
    const bool lost = PQstatus(connection_) != CONNECTION_OK || !state || !*state;
    const HistoryFailure kind = lost ? HistoryFailure::ServerUnreachable : failureOf(state);
    lost_ = lost_ || lost;
    return {kind, {where_}, trimmedMessage(PQerrorMessage(connection_))};
}

void PostgresConnection::reconnect() {
    // A connection lost (the server stopped, the network cut) is made again for the next
    // statement, outside a transaction: a change that was under way is gone with it.
    if (lost_ || PQstatus(connection_) != CONNECTION_OK) {
        PQreset(connection_);
        lost_ = PQstatus(connection_) != CONNECTION_OK;
    }
}

HistoryStatus PostgresConnection::execute(std::string_view script) {
    reconnect();
    const std::string text(script);
    const Result result(PQexec(connection_, text.c_str()), &PQclear);
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK &&
        PQresultStatus(result.get()) != PGRES_TUPLES_OK) {
        return failure(result.get());
    }
    return Done{};
}

HistoryStatus PostgresConnection::query(std::string_view sql,
                                        const std::vector<SqlValue>& parameters,
                                        const RowVisitor& visit) {
    uniqueViolation_ = false;
    reconnect();
    std::vector<std::string> texts(parameters.size());
    std::vector<const char*> values(parameters.size());
    std::vector<int> lengths(parameters.size()), formats(parameters.size());
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const std::string* bytes = &texts[i];
        if (const auto* blob = std::get_if<SqlBlob>(&parameters[i])) {
            bytes = &blob->bytes;
            formats[i] = 1;
        } else if (!std::holds_alternative<std::monostate>(parameters[i])) {
            std::string converted;
            const auto* text = std::get_if<std::string>(&parameters[i]);
            texts[i] = text ? std::string(storedText(*text, converted)) : copyField(parameters[i]);
        }
        values[i] = std::holds_alternative<std::monostate>(parameters[i]) ? nullptr : bytes->data();
        lengths[i] = static_cast<int>(bytes->size());
    }
    const std::string statement = numbered(sql);
    const Result result(
        PQexecParams(connection_, statement.c_str(), static_cast<int>(parameters.size()), nullptr,
                     values.data(), lengths.data(), formats.data(), 0),
        &PQclear);
    const auto status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
        return failure(result.get());
    }
    for (int row = 0; visit && row < PQntuples(result.get()); ++row) {
        visit(PostgresRow(result.get(), row));
    }
    return Done{};
}

HistoryStatus PostgresConnection::insertRows(std::string_view table,
                                             const std::vector<std::string_view>& columns,
                                             const std::vector<SqlValue>& values) {
    std::string sql = "COPY " + std::string(table) + " (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        sql += (i ? ", " : "") + std::string(columns[i]);
    }
    sql += ") FROM STDIN";
    {
        const Result start(PQexec(connection_, sql.c_str()), &PQclear);
        if (PQresultStatus(start.get()) != PGRES_COPY_IN) {
            return failure(start.get());
        }
    }
    // The rows go in batches, so that a large survey is never held twice as text.
    const std::size_t rowCount = columns.empty() ? 0 : values.size() / columns.size();
    bool sent = true;
    std::string data;
    for (std::size_t row = 0; row < rowCount && sent;) {
        data.clear();
        const std::size_t end = std::min(rowCount, row + kCopyBatchRows);
        for (; row < end; ++row) {
            for (std::size_t i = 0; i < columns.size(); ++i) {
                data += (i ? "\t" : "") + copyField(values[row * columns.size() + i]);
            }
            data += '\n';
        }
        sent = PQputCopyData(connection_, data.data(), static_cast<int>(data.size())) == 1;
        if (sent && copyBatchSent_) {
            copyBatchSent_(row);
        }
    }
    PQputCopyEnd(connection_, sent ? nullptr : "the rows could not be sent");
    HistoryStatus status = Done{};
    while (PGresult* raw = PQgetResult(connection_)) {
        const Result result(raw, &PQclear);
        if (PQresultStatus(raw) != PGRES_COMMAND_OK && status) {
            status = failure(raw);
        }
        // A connection lost during the copy gives its failure again and again.
        if (PQstatus(connection_) != CONNECTION_OK) {
            break;
        }
    }
    if (status && PQstatus(connection_) != CONNECTION_OK) {
        status = failure(nullptr);
    }
    return status;
}

HistoryStatus PostgresConnection::begin() {
    return execute("BEGIN");
}

HistoryStatus PostgresConnection::commit() {
    return execute("COMMIT");
}

void PostgresConnection::rollback() {
    if (PQtransactionStatus(connection_) != PQTRANS_IDLE) {
        PQclear(PQexec(connection_, "ROLLBACK"));
    }
}

HistoryResult<std::string> PostgresConnection::user() {
    std::string user;
    const auto status =
        query("SELECT current_user", {}, [&](const SqlRow& row) { user = row.text(0); });
    if (!status) {
        return status.error;
    }
    return user;
}

std::string_view PostgresConnection::initialiseScript() const {
    return kRolesScript;
}

}  // namespace korvel::history
