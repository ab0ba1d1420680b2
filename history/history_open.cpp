#include "history/history_open.h"

#include "app/platform.h"
#include "app/profile_file.h"
#include "app/text_rules.h"
#include "history/postgres_connection.h"
#include "history/sql_storage.h"
#include "history/sqlite_connection.h"

namespace korvel::history {

namespace {

// The longest history location Settings.ini gives.
constexpr std::size_t kLocationLimit = 4096;

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

bool isServerConnection(std::string_view where) {
    where = trimmed(where);
    if (startsWith(where, "postgresql://") || startsWith(where, "postgres://")) {
        return true;
    }
    // "key=value ...": a keyword of letters and underscores, then "=".
    const auto equals = where.find('=');
    if (equals == std::string_view::npos || equals == 0) {
        return false;
    }
    const std::string_view keyword = trimmed(where.substr(0, equals));
    for (const char c : keyword) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_')) {
            return false;
        }
    }
    return !keyword.empty();
}

std::string defaultHistoryLocation(const std::string& settingsFolder,
                                   const std::string& settingsFile) {
    const std::string named =
        readProfileString(settingsFile, kHistorySection, kHistoryKey, "", kLocationLimit);
    if (!trimmed(named).empty()) {
        return std::string(trimmed(named));
    }
    return joinPath(settingsFolder, std::string(kDefaultHistoryFile));
}

HistoryResult<std::unique_ptr<HistoryStorage>> openHistoryStorage(
    const std::string& where, const HistoryOpenOptions& options) {
    // A file is made and brought up to date on first use; a server's tables are made by its
    // owner ("archive init").
    const bool server = isServerConnection(where);
    auto connection =
        server ? PostgresConnection::open(where)
               : SqliteConnection::open(where, {options.busyMilliseconds, options.sqliteVfs, {}});
    if (!connection) {
        return connection.error;
    }
    auto storage = std::make_unique<SqlStorage>(std::move(*connection));
    auto status = storage->checkSchema(!server);
    if (!status && !(server && status.error.failure == HistoryFailure::NotInitialised)) {
        return status.error;
    }
    return std::unique_ptr<HistoryStorage>(std::move(storage));
}

}  // namespace korvel::history
