#include "dataview/history/add_to_history.h"

#include <QInputDialog>
#include <QLineEdit>
#include <fstream>
#include <iterator>

#include "app/palimar_app.h"
#include "app/text_format.h"
#include "app/text_table.h"
#include "app/ui/qt_text.h"
#include "app/user_voice.h"
#include "dataview/history/window_history.h"
#include "history/history_messages.h"

namespace korvel {

using namespace history;

namespace {

std::string stemOf(const std::string& fileName) {
    const auto dot = fileName.rfind('.');
    return dot == std::string::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

std::optional<std::string> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

// Makes the asset when the history has none of that name.
HistoryStatus assetMade(InspectionHistory& history, const std::string& name) {
    const auto found = history.asset(name);
    if (found) {
        return Done{};
    }
    if (found.error.failure != HistoryFailure::UnknownAsset) {
        return found.error;
    }
    const auto made = history.setAsset({name, {}, {}, {}, {}});
    return made ? HistoryStatus(Done{}) : HistoryStatus(made.error);
}

}  // namespace

QStringList assetChoices(const std::string& fileName, const std::vector<Asset>& assets) {
    QStringList choices;
    const QString stem = toQt(stemOf(baseName(fileName)));
    for (const Asset& asset : assets) {
        choices.append(toQt(asset.name));
    }
    if (!stem.isEmpty() && !choices.contains(stem)) {
        choices.prepend(stem);
    } else if (choices.contains(stem)) {
        choices.move(choices.indexOf(stem), 0);
    }
    return choices;
}

std::string chooseAsset(QWidget* parent, const TextTable& texts, const QStringList& choices) {
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("assetChoice"));
    dialog.setWindowTitle(toQt(texts.message("IDS_HISTORY_ADD_TITLE")));
    dialog.setLabelText(toQt(texts.message("IDS_HISTORY_ADD_ASSET")));
    dialog.setComboBoxItems(choices);
    dialog.setComboBoxEditable(true);
    dialog.setOkButtonText(toQt(texts.message("IDS_HISTORY_ADD_OK")));
    dialog.setCancelButtonText(toQt(texts.message("IDS_HISTORY_CANCEL")));
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return fromQt(dialog.textValue().trimmed());
}

HistoryAddOutcome addFilesToAsset(InspectionHistory& history, const TextTable& texts,
                                  const std::string& asset, const std::vector<std::string>& paths,
                                  UserVoice& voice) {
    HistoryAddOutcome outcome;
    outcome.asset = asset;
    if (const auto made = assetMade(history, asset); !made) {
        voice.show(MessageKind::Error, historyMessage(texts, made.error, HistoryFront::Window));
        outcome.refused = static_cast<int>(paths.size());
        return outcome;
    }
    voice.setWaitCursor(true);
    for (const std::string& path : paths) {
        const auto bytes = fileBytes(path);
        const auto added =
            bytes
                ? history.addSurvey(asset, baseName(path), *bytes)
                : HistoryResult<AddedSurvey>(HistoryError{HistoryFailure::CannotOpen, {path}, {}});
        if (!added) {
            ++outcome.refused;
            const bool duplicate = added.error.failure == HistoryFailure::Duplicate;
            voice.show(
                duplicate ? MessageKind::Notice : MessageKind::Error,
                bytes ? historyMessage(texts, added.error, HistoryFront::Window)
                      : formatWithArguments(texts.message("IDS_HISTORY_FILE_UNREADABLE"), {path}));
            continue;
        }
        ++outcome.added;
    }
    voice.setWaitCursor(false);
    voice.setStatus(formatWithArguments(texts.message("IDS_HISTORY_ADDED"),
                                        {asset, std::to_string(outcome.added)}));
    return outcome;
}

HistoryAddOutcome addToHistory(QWidget* parent, const PalimarApp& app,
                               const std::vector<std::string>& paths, UserVoice& voice) {
    if (paths.empty()) {
        return {};
    }
    WindowHistory opened = openWindowHistory(app);
    if (!opened.history) {
        voice.show(MessageKind::Error, opened.error);
        return {};
    }
    const auto assets = opened.history->assets();
    if (!assets) {
        voice.show(MessageKind::Error,
                   historyMessage(app.texts(), assets.error, HistoryFront::Window));
        return {};
    }
    const std::string asset =
        chooseAsset(parent, app.texts(), assetChoices(baseName(paths.front()), *assets));
    if (asset.empty()) {
        return {};
    }
    return addFilesToAsset(*opened.history, app.texts(), asset, paths, voice);
}

}  // namespace korvel
