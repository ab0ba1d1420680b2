#pragma once
// A connection to one of the database engines, as small as the history's storage needs: run
// a script, run a statement with bound parameters (never text pasted into SQL) and visit its
// rows, insert many rows at once, and transactions. Statements are written with "?" for each
// parameter; an engine that numbers them ($1, $2 ...) renumbers them itself. Every failure
// comes back classified (locked, read-only, not a database ...) with the engine's own words.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "history/history_types.h"
#include "history/schema_migrations.h"

namespace korvel::history {

struct SqlBlob {
    std::string bytes;
};

using SqlValue = std::variant<std::monostate, long long, double, std::string, SqlBlob>;

// A value that may be missing: NULL when it is.
SqlValue sqlValue(const std::optional<double>& value);
SqlValue sqlValue(const std::optional<long long>& value);
SqlValue sqlText(const std::string& text);  // NULL for an empty text

// Texts are stored as UTF-8 on every engine. A text that is not valid UTF-8 (a name typed in a
// single-byte code page, a location from an old file) is read as Windows-1252, as the program
// reads every file, and stored converted: the text itself, or `converted` holding it.
std::string_view storedText(const std::string& text, std::string& converted);

// One row of a result, read by column.
class SqlRow {
  public:
    virtual ~SqlRow() = default;
    virtual bool isNull(int column) const = 0;
    virtual long long integer(int column) const = 0;
    virtual double real(int column) const = 0;
    virtual std::string text(int column) const = 0;
    virtual std::string blob(int column) const = 0;

    std::optional<double> optionalReal(int column) const;
    std::optional<long long> optionalInteger(int column) const;
};

using RowVisitor = std::function<void(const SqlRow&)>;

class SqlConnection {
  public:
    virtual ~SqlConnection() = default;

    virtual SqlDialect dialect() const = 0;
    // The file or the server, as messages name it.
    virtual const std::string& where() const = 0;

    // A script of several statements, without parameters.
    virtual HistoryStatus execute(std::string_view script) = 0;
    // One statement; visit is called for each row it gives.
    virtual HistoryStatus query(std::string_view sql, const std::vector<SqlValue>& parameters,
                                const RowVisitor& visit = {}) = 0;
    // Rows into the table's columns, within the current transaction: `values` holds the rows
    // one after another, a value a column.
    virtual HistoryStatus insertRows(std::string_view table,
                                     const std::vector<std::string_view>& columns,
                                     const std::vector<SqlValue>& values) = 0;

    // A transaction that writes: it waits for other writers (up to the engine's limit).
    virtual HistoryStatus begin() = 0;
    virtual HistoryStatus commit() = 0;
    virtual void rollback() = 0;

    // Whether a failed statement broke a unique constraint.
    virtual bool lastFailureWasUniqueViolation() const = 0;

    // The user the audit log records; on a server, the database role, which the server
    // itself writes into the log (auditUserSql).
    virtual HistoryResult<std::string> user() = 0;
    // The SQL expression the audit log's user is written with: "?" (the given name), or the
    // server's own role.
    virtual std::string_view auditUserSql() const = 0;
    // What "archive init" runs after the migrations (a server's roles and grants); none here.
    virtual std::string_view initialiseScript() const { return {}; }
};

// The transaction of a change: rolled back unless committed.
class SqlTransaction {
  public:
    explicit SqlTransaction(SqlConnection& connection) : connection_(connection) {}
    ~SqlTransaction();
    SqlTransaction(const SqlTransaction&) = delete;
    SqlTransaction& operator=(const SqlTransaction&) = delete;

    HistoryStatus begin();
    HistoryStatus commit();

  private:
    SqlConnection& connection_;
    bool open_ = false;
};

}  // namespace korvel::history
