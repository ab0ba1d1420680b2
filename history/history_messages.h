#pragma once
// The message a failed history operation shows: its text-table key (IDS_ERR_HISTORY_...) with
// what it names (the file or the server, the asset, the survey) and the engine's own words. A
// message that tells korvel-cli's user which option to give has a second text for the window,
// in the window's terms.

#include <string>
#include <string_view>

#include "app/text_table.h"
#include "history/history_types.h"

namespace korvel::history {

// Who shows the message: korvel-cli's texts name its options, the window's its own controls.
enum class HistoryFront { CommandLine, Window };

// The key of the failure's message; empty for None.
std::string_view historyMessageKey(HistoryFailure failure,
                                   HistoryFront front = HistoryFront::CommandLine);

std::string historyMessage(const TextTable& texts, const HistoryError& error,
                           HistoryFront front = HistoryFront::CommandLine);

}  // namespace korvel::history
