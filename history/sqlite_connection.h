#pragma once
// The SQLite engine (libsqlite3) under the history: one database file, opened for writing, or
// for reading only when the file may not be written; foreign keys on; a writer waits for
// another process's transaction up to the busy limit.

#include <memory>
#include <string>

#include "history/sql_connection.h"

struct sqlite3;

namespace korvel::history {

struct SqliteOptions {
    int busyMilliseconds = 10000;  // how long a change waits for another process's
    std::string vfs;               // the file layer by name; empty: the system's own
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
                             const std::vector<std::vector<SqlValue>>& rows) override;
    HistoryStatus begin() override;
    HistoryStatus commit() override;
    void rollback() override;
    bool lastFailureWasUniqueViolation() const override { return uniqueViolation_; }
    HistoryResult<std::string> user() override;
    std::string_view auditUserSql() const override { return "?"; }

  private:
    SqliteConnection(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}
    HistoryError failure(int code) const;

    sqlite3* db_;
    std::string path_;
    bool uniqueViolation_ = false;
};

}  // namespace korvel::history
