#pragma once
// The message a failed history operation shows: its text-table key (IDS_ERR_HISTORY_...) with
// what it names (the file or the server, the asset, the survey) and the engine's own words.

#include <string>
#include <string_view>

#include "app/text_table.h"
#include "history/history_types.h"

namespace korvel::history {

// The key of the failure's message; empty for None.
std::string_view historyMessageKey(HistoryFailure failure);

std::string historyMessage(const TextTable& texts, const HistoryError& error);

}  // namespace korvel::history
