#pragma once
// The history's schema: numbered migrations, one .sql file per version (history/sql), written
// once for both engines with three placeholders the engine's dialect fills in. A history is
// brought from its version to the newest one migration at a time, each in a transaction.

#include <string>
#include <string_view>
#include <vector>

namespace korvel::history {

enum class SqlDialect { Sqlite, Postgres };

// The scripts in version order: the first is version 1.
const std::vector<std::string_view>& migrationScripts();

inline std::size_t newestSchemaVersion() {
    return migrationScripts().size();
}

// The script that brings a history of version - 1 to version, in the dialect.
std::string migrationSql(std::size_t version, SqlDialect dialect);

}  // namespace korvel::history
