#include "history/sqlite_connection.h"

#include <sqlite3.h>

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

// A prepared statement, finalised on every path.
class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql) {
        code_ =
            sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int prepared() const { return code_; }
    sqlite3_stmt* get() const { return statement_; }

    int bind(const std::vector<SqlValue>& values) {
        sqlite3_reset(statement_);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int code = bindOne(static_cast<int>(i) + 1, values[i]);
            if (code != SQLITE_OK) {
                return code;
            }
        }
        return SQLITE_OK;
    }

  private:
    int bindOne(int index, const SqlValue& value) {
        if (const auto* integer = std::get_if<long long>(&value)) {
            return sqlite3_bind_int64(statement_, index, *integer);
        }
        if (const auto* real = std::get_if<double>(&value)) {
            return sqlite3_bind_double(statement_, index, *real);
        }
        if (const auto* text = std::get_if<std::string>(&value)) {
            return sqlite3_bind_text64(statement_, index, text->data(), text->size(),
                                       SQLITE_TRANSIENT, SQLITE_UTF8);
        }
        if (const auto* blob = std::get_if<SqlBlob>(&value)) {
            return sqlite3_bind_blob64(statement_, index, blob->bytes.data(), blob->bytes.size(),
                                       SQLITE_TRANSIENT);
        }
        return sqlite3_bind_null(statement_, index);
    }

    sqlite3_stmt* statement_ = nullptr;
    int code_ = SQLITE_OK;
};

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
    // history can still be read, and a change says it cannot be written.
    const int code = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                     options.vfs.empty() ? nullptr : options.vfs.c_str());
    if (code != SQLITE_OK) {
        HistoryError error{failureOf(code), {path}, db ? sqlite3_errmsg(db) : sqlite3_errstr(code)};
        sqlite3_close(db);
        return error;
    }
    std::unique_ptr<SqliteConnection> connection(new SqliteConnection(db, path));
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
    sqlite3_close(db_);
}

HistoryError SqliteConnection::failure(int code) const {
    return {failureOf(code), {path_}, sqlite3_errmsg(db_)};
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
    Statement statement(db_, sql);
    int code = statement.prepared();
    if (code == SQLITE_OK) {
        code = statement.bind(parameters);
    }
    const SqliteRow row(statement.get());
    while (code == SQLITE_OK || code == SQLITE_ROW) {
        code = sqlite3_step(statement.get());
        if (code == SQLITE_ROW && visit) {
            visit(row);
        }
    }
    if (code != SQLITE_DONE) {
        uniqueViolation_ = code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY;
        return failure(code);
    }
    return Done{};
}

HistoryStatus SqliteConnection::insertRows(std::string_view table,
                                           const std::vector<std::string_view>& columns,
                                           const std::vector<std::vector<SqlValue>>& rows) {
    std::string sql = "INSERT INTO " + std::string(table) + " (";
    std::string marks;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        sql += (i ? ", " : "") + std::string(columns[i]);
        marks += i ? ", ?" : "?";
    }
    sql += ") VALUES (" + marks + ")";
    Statement statement(db_, sql);
    if (statement.prepared() != SQLITE_OK) {
        return failure(statement.prepared());
    }
    for (const auto& row : rows) {
        int code = statement.bind(row);
        if (code == SQLITE_OK) {
            code = sqlite3_step(statement.get());
        }
        if (code != SQLITE_DONE) {
            return failure(code);
        }
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
