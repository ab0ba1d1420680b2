#pragma once
// The PostgreSQL engine (libpq) under the history: a server named by a connection string in
// libpq's own forms, passwords only from libpq's own places (the password file, PGPASSWORD, a
// service file; a string that holds one is refused), the server's roles deciding who may
// change what, and rows sent with COPY in one round trip.

#include <functional>
#include <memory>
#include <string>

#include "history/sql_connection.h"

struct pg_conn;
struct pg_result;

namespace korvel::history {

class PostgresConnection : public SqlConnection {
  public:
    static HistoryResult<std::unique_ptr<SqlConnection>> open(const std::string& conninfo);
    ~PostgresConnection() override;

    SqlDialect dialect() const override { return SqlDialect::Postgres; }
    const std::string& where() const override { return where_; }
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
    std::string_view auditUserSql() const override { return "current_user"; }
    std::string_view initialiseScript() const override;

    // How many rows COPY sends at a time.
    static constexpr std::size_t kCopyBatchRows = 1000;
    // Called after each batch of rows is sent, with the rows sent so far (for the tests that
    // stop the server in the middle of an add).
    void onCopyBatchSent(std::function<void(std::size_t)> sent) {
        copyBatchSent_ = std::move(sent);
    }

  private:
    PostgresConnection(pg_conn* connection, std::string where)
        : connection_(connection), where_(std::move(where)) {}
    HistoryError failure(const pg_result* result);
    void reconnect();

    pg_conn* connection_;
    std::string where_;
    bool uniqueViolation_ = false;
    bool lost_ = false;  // the last failure was the connection's
    std::function<void(std::size_t)> copyBatchSent_;
};

}  // namespace korvel::history
