#include "history/history_messages.h"

#include <array>

#include "app/text_format.h"

namespace korvel::history {

namespace {

struct FailureMessage {
    HistoryFailure failure;
    std::string_view key;
    bool withDetail;                  // the engine's words fill the message's last %s
    std::string_view windowKey = {};  // the window's text, where korvel-cli's names an option
};

constexpr std::array<FailureMessage, 22> kMessages = {{
    {HistoryFailure::CannotOpen, "IDS_ERR_HISTORY_CANNOT_OPEN", true,
     "IDS_ERR_HISTORY_CANNOT_OPEN_WINDOW"},
    {HistoryFailure::NotADatabase, "IDS_ERR_HISTORY_NOT_DATABASE", false,
     "IDS_ERR_HISTORY_NOT_DATABASE_WINDOW"},
    {HistoryFailure::Corrupt, "IDS_ERR_HISTORY_CORRUPT", true},
    {HistoryFailure::ReadOnly, "IDS_ERR_HISTORY_READ_ONLY", true},
    {HistoryFailure::Locked, "IDS_ERR_HISTORY_LOCKED", false},
    {HistoryFailure::NewerSchema, "IDS_ERR_HISTORY_NEWER", false},
    {HistoryFailure::NotInitialised, "IDS_ERR_HISTORY_NOT_INITIALISED", false},
    {HistoryFailure::ServerUnreachable, "IDS_ERR_HISTORY_SERVER", true},
    {HistoryFailure::PermissionDenied, "IDS_ERR_HISTORY_DENIED", true},
    {HistoryFailure::PasswordGiven, "IDS_ERR_HISTORY_PASSWORD", false},
    {HistoryFailure::WriteFailed, "IDS_ERR_HISTORY_WRITE", true},
    {HistoryFailure::NotADataFile, "IDS_ERR_HISTORY_NOT_DATA_FILE", false},
    {HistoryFailure::NoDate, "IDS_ERR_HISTORY_NO_DATE", false},
    {HistoryFailure::OtherUnits, "IDS_ERR_HISTORY_UNITS", true},
    {HistoryFailure::Duplicate, "IDS_ERR_HISTORY_DUPLICATE", false},
    {HistoryFailure::UnknownAsset, "IDS_ERR_HISTORY_UNKNOWN_ASSET", false,
     "IDS_ERR_HISTORY_UNKNOWN_ASSET_WINDOW"},
    {HistoryFailure::UnknownReading, "IDS_ERR_HISTORY_UNKNOWN_READING", false,
     "IDS_ERR_HISTORY_UNKNOWN_READING_WINDOW"},
    {HistoryFailure::UnknownLocation, "IDS_ERR_HISTORY_UNKNOWN_LOCATION", false},
    {HistoryFailure::NoteRequired, "IDS_ERR_HISTORY_NOTE_REQUIRED", false,
     "IDS_ERR_HISTORY_NOTE_REQUIRED_WINDOW"},
    {HistoryFailure::AlreadyExcluded, "IDS_ERR_HISTORY_ALREADY_EXCLUDED", false},
    {HistoryFailure::NotExcluded, "IDS_ERR_HISTORY_NOT_EXCLUDED", false},
    {HistoryFailure::AssetExists, "IDS_ERR_HISTORY_ASSET_EXISTS", false},
}};

const FailureMessage* messageOf(HistoryFailure failure) {
    for (const auto& message : kMessages) {
        if (message.failure == failure) {
            return &message;
        }
    }
    return nullptr;
}

}  // namespace

std::string_view historyMessageKey(HistoryFailure failure, HistoryFront front) {
    const auto* message = messageOf(failure);
    if (!message) {
        return {};
    }
    return front == HistoryFront::Window && !message->windowKey.empty() ? message->windowKey
                                                                        : message->key;
}

std::string historyMessage(const TextTable& texts, const HistoryError& error, HistoryFront front) {
    const auto* message = messageOf(error.failure);
    if (!message) {
        return {};
    }
    // Each %s in turn: the subjects, then the engine's words; a surplus %s stays as text.
    std::vector<std::string> arguments = error.subjects;
    if (message->withDetail) {
        arguments.push_back(error.detail);
    }
    return formatWithArguments(texts.message(historyMessageKey(error.failure, front)), arguments);
}

}  // namespace korvel::history
