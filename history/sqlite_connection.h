#pragma once
// The SQLite engine (libsqlite3) under the history: one database file, opened for writing, or
// for reading only when the file may not be written; foreign keys on; a writer waits for
// another process's transaction up to the busy limit. Statements are prepared once a
// connection and bound to the caller's values without copying them.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "history/sql_connection.h"

struct sqlite3;
struct sqlite3_stmt;

namespace korvel::history {

struct SqliteOptions {
    int busyMilliseconds = 10000;  // how long a change waits for another process's
    std::string vfs;               // the file layer by name; empty: the system's own
    // Told each statement's text as it is prepared (the tests check the engine's plans).
    std::function<void(std::string_view)> prepared;
};

class SqliteConnection : public SqlConnection {
  public:
    static HistoryResult<std::unique_ptr<SqlConnection>> open(const std::string& path,
                                                              const SqliteOptions& options = {});
    ~SqliteConnection() override;

    SqlDialect dialect() const override { return SqlDialect::Sqlite; }
    const std::string& where() const override { return path_; }
    HistoryStatus execute(std::string_view script) override;
    HistoryStatus query(std::string_view sql, const std::vector<SqlValue>& parameters,
                        const RowVisitor& visit) override;
    HistoryStatus insertRows(std::string_view table, const std::vector<std::string_view>& columns,
                             const std::vector<SqlValue>& values) override;
    HistoryStatus begin() override;
    HistoryStatus commit() override;
    void rollback() override;
    bool lastFailureWasUniqueViolation() const override { return uniqueViolation_; }
    HistoryResult<std::string> user() override;
    std::string_view auditUserSql() const override { return "?"; }

  private:
    SqliteConnection(sqlite3* db, std::string path, std::function<void(std::string_view)> told)
        : db_(db), path_(std::move(path)), told_(std::move(told)) {}
    HistoryError failure(int code, const std::string* message = nullptr) const;
    // The statement of that text, prepared once and kept for the connection's life (an add
    // runs its statements again and again); nullptr and the code when it cannot be prepared.
    sqlite3_stmt* prepared(std::string_view sql, int& code);
    // Steps the prepared statement with the values from `first` on, visiting its rows.
    int run(sqlite3_stmt* statement, const SqlValue* first, std::size_t count,
            const RowVisitor& visit);

    sqlite3* db_;
    std::string path_;
    std::map<std::string, sqlite3_stmt*, std::less<>> statements_;
    std::function<void(std::string_view)> told_;
    bool uniqueViolation_ = false;
    std::string stepFailure_;  // the engine's words for the last step that failed
};

}  // namespace korvel::history
