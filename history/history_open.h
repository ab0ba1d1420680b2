#pragma once
// Opening the inspection history a front end names: a file path (an SQLite database, made on
// first use and brought up to date) or a PostgreSQL connection string in libpq's own forms
// ("postgresql://...", "postgres://...", or "key=value ..." such as "service=NAME"), whose
// tables "archive init" makes. By default the history is the file Settings.ini names
// ([HISTORY] Archive), else history.sqlite in the settings folder.

#include <memory>
#include <string>
#include <string_view>

#include "history/history_storage.h"

namespace korvel::history {

struct HistoryOpenOptions {
    int busyMilliseconds = 10000;  // how long a change waits for another process's
    std::string sqliteVfs;         // SQLite's file layer by name; empty: the system's own
};

inline constexpr std::string_view kHistorySection = "HISTORY";
inline constexpr std::string_view kHistoryKey = "Archive";
inline constexpr std::string_view kDefaultHistoryFile = "history.sqlite";

bool isServerConnection(std::string_view where);

std::string defaultHistoryLocation(const std::string& settingsFolder,
                                   const std::string& settingsFile);

HistoryResult<std::unique_ptr<HistoryStorage>> openHistoryStorage(
    const std::string& where, const HistoryOpenOptions& options = {});

}  // namespace korvel::history
