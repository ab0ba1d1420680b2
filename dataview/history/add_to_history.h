#pragma once
// Adding data files to the inspection history from wherever they are shown (the data view, the
// transfer page's PC list, the history page): the asset is chosen from a list that offers the
// first file's name first, then the history's assets (a new name makes the asset); each file
// is added, a refused one says why (one already in the history names the asset and the file it
// is stored as), and the status says how many were added.

#include <QStringList>
#include <string>
#include <vector>

#include "history/inspection_history.h"

class QWidget;

namespace korvel {

class TextTable;
class UserVoice;

// The names the asset list offers: the file's name without its extension first (unless it is
// already an asset), then the assets in the history's order.
QStringList assetChoices(const std::string& fileName, const std::vector<history::Asset>& assets);

// Asks for the asset (objectName "assetChoice"); empty when the question was cancelled.
std::string chooseAsset(QWidget* parent, const TextTable& texts, const QStringList& choices);

struct HistoryAddOutcome {
    std::string asset;
    int added = 0;
    int refused = 0;
};

// Adds the files to the asset (made when new), saying each refusal through the voice.
HistoryAddOutcome addFilesToAsset(history::InspectionHistory& history, const TextTable& texts,
                                  const std::string& asset, const std::vector<std::string>& paths,
                                  UserVoice& voice);

// Opens the window's history, asks for the asset and adds the files.
HistoryAddOutcome addToHistory(QWidget* parent, const class PalimarApp& app,
                               const std::vector<std::string>& paths, UserVoice& voice);

}  // namespace korvel
