#include "history/sqlite_connection.h"

#include <sqlite3.h>

#include <algorithm>

#include "app/platform.h"

namespace korvel::history {

namespace {

HistoryFailure failureOf(int code) {
    switch (code & 0xff) {
        case SQLITE_NOTADB:
            return HistoryFailure::NotADatabase;
        case SQLITE_CORRUPT:
            return HistoryFailure::Corrupt;
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return HistoryFailure::ReadOnly;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return HistoryFailure::Locked;
        case SQLITE_CANTOPEN:
            return HistoryFailure::CannotOpen;
        default:
            return HistoryFailure::WriteFailed;
    }
}

// Binds one value, which stays where it is until the statement is reset.
int bindOne(sqlite3_stmt* statement, int index, const SqlValue& value, std::string& converted) {
    if (const auto* integer = std::get_if<long long>(&value)) {
        return sqlite3_bind_int64(statement, index, *integer);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return sqlite3_bind_double(statement, index, *real);
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        const std::string_view stored = storedText(*text, converted);
        return sqlite3_bind_text64(statement, index, stored.data(), stored.size(),
                                   stored.data() == text->data() ? SQLITE_STATIC : SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
    }
    if (const auto* blob = std::get_if<SqlBlob>(&value)) {
        return sqlite3_bind_blob64(statement, index, blob->bytes.data(), blob->bytes.size(),
                                   SQLITE_STATIC);
    }
    return sqlite3_bind_null(statement, index);
}

class SqliteRow : public SqlRow {
  public:
    explicit SqliteRow(sqlite3_stmt* statement) : statement_(statement) {}
    bool isNull(int column) const override {
        return sqlite3_column_type(statement_, column) == SQLITE_NULL;
    }
    long long integer(int column) const override {
        return sqlite3_column_int64(statement_, column);
    }
    double real(int column) const override { return sqlite3_column_double(statement_, column); }
    std::string text(int column) const override { return blob(column); }
    std::string blob(int column) const override {
        const void* bytes = sqlite3_column_blob(statement_, column);
        const int size = sqlite3_column_bytes(statement_, column);
        return bytes ? std::string(static_cast<const char*>(bytes), static_cast<std::size_t>(size))
                     : std::string();
    }

  private:
    sqlite3_stmt* statement_;
};

}  // namespace

HistoryResult<std::unique_ptr<SqlConnection>> SqliteConnection::open(const std::string& path,
                                                                     const SqliteOptions& options) {
    sqlite3* db = nullptr;
    // Opened for writing where the system allows it, else for reading only: a read-only
    // history can still be read, and a change says it cannot be written. A connection is used
    // by one thread at a time, so the engine need not lock it on every call.
    const int code = sqlite3_open_v2(
        path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
        options.vfs.empty() ? nullptr : options.vfs.c_str());
    if (code != SQLITE_OK) {
        HistoryError error{failureOf(code), {path}, db ? sqlite3_errmsg(db) : sqlite3_errstr(code)};
        sqlite3_close(db);
        return error;
    }
    std::unique_ptr<SqliteConnection> connection(new SqliteConnection(db, path, options.prepared));
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, options.busyMilliseconds);
    // SQLite reads the file's header only now: a file that is no database fails here.
    if (auto status = connection->execute("PRAGMA foreign_keys = ON;"
                                          "SELECT count(*) FROM sqlite_master;");
        !status) {
        return status.error;
    }
    return std::unique_ptr<SqlConnection>(std::move(connection));
}

SqliteConnection::~SqliteConnection() {
    for (const auto& [sql, statement] : statements_) {
        sqlite3_finalize(statement);
    }
    sqlite3_close(db_);
}

sqlite3_stmt* SqliteConnection::prepared(std::string_view sql, int& code) {
    if (const auto found = statements_.find(sql); found != statements_.end()) {
        code = SQLITE_OK;
        return found->second;
    }
    sqlite3_stmt* statement = nullptr;
    code = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    statements_.emplace(std::string(sql), statement);
    if (told_) {
        told_(sql);
    }
    return statement;
}

int SqliteConnection::run(sqlite3_stmt* statement, const SqlValue* first, std::size_t count,
                          const RowVisitor& visit) {
    std::string converted;
    int code = SQLITE_OK;
    for (std::size_t i = 0; i < count && code == SQLITE_OK; ++i) {
        code = bindOne(statement, static_cast<int>(i) + 1, first[i], converted);
    }
    const SqliteRow row(statement);
    while (code == SQLITE_OK || code == SQLITE_ROW) {
        code = sqlite3_step(statement);
        if (code == SQLITE_ROW && visit) {
            visit(row);
        }
    }
    if (code != SQLITE_DONE) {
        stepFailure_ = sqlite3_errmsg(db_);
    }
    // Reset at once: a kept statement must hold no lock and no caller's value.
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    return code;
}

HistoryError SqliteConnection::failure(int code, const std::string* message) const {
    return {failureOf(code), {path_}, message ? *message : sqlite3_errmsg(db_)};
}

HistoryStatus SqliteConnection::execute(std::string_view script) {
    const std::string text(script);
    const int code = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        return failure(code);
    }
    return Done{};
}

HistoryStatus SqliteConnection::query(std::string_view sql, const std::vector<SqlValue>& parameters,
                                      const RowVisitor& visit) {
    uniqueViolation_ = false;
    int code = SQLITE_OK;
    sqlite3_stmt* statement = prepared(sql, code);
    if (!statement) {
        return failure(code);
    }
    code = run(statement, parameters.data(), parameters.size(), visit);
    if (code != SQLITE_DONE) {
        uniqueViolation_ = code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY;
        return failure(code, &stepFailure_);
    }
    return Done{};
}

HistoryStatus SqliteConnection::insertRows(std::string_view table,
                                           const std::vector<std::string_view>& columns,
                                           const std::vector<SqlValue>& values) {
    // Many rows a statement: the engine's work per statement is paid once for all of them.
    constexpr std::size_t kRowsAStatement = 200;
    std::string row = "(";
    std::string sql = "INSERT INTO " + std::string(table) + " (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        sql += (i ? ", " : "") + std::string(columns[i]);
        row += i ? ", ?" : "?";
    }
    sql += ") VALUES ";
    row += ")";
    const std::size_t rows = columns.empty() ? 0 : values.size() / columns.size();
    for (std::size_t at = 0; at < rows;) {
        const std::size_t count = std::min(kRowsAStatement, rows - at);
        std::string statementSql = sql;
        for (std::size_t i = 0; i < count; ++i) {
            statementSql += (i ? ", " : "") + row;
        }
        int code = SQLITE_OK;
        sqlite3_stmt* statement = prepared(statementSql, code);
        if (!statement) {
            return failure(code);
        }
        code = run(statement, values.data() + at * columns.size(), count * columns.size(), {});
        if (code != SQLITE_DONE) {
            return failure(code, &stepFailure_);
        }
        at += count;
    }
    return Done{};
}

HistoryStatus SqliteConnection::begin() {
    // IMMEDIATE: the write lock is taken now, so two writers queue rather than fail midway.
    return execute("BEGIN IMMEDIATE");
}

HistoryStatus SqliteConnection::commit() {
    return execute("COMMIT");
}

void SqliteConnection::rollback() {
    if (!sqlite3_get_autocommit(db_)) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

HistoryResult<std::string> SqliteConnection::user() {
    return userName();
}

}  // namespace korvel::history
