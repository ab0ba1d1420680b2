#pragma once
// The inspection history as the windows use it: the history Settings.ini names, else
// history.sqlite in the settings folder, opened and brought up to date; and everything of one
// asset the history page shows, read in one go (its surveys, readings, figures and the latest
// survey's layout), so that choosing a colour or a location asks nothing of the database.

#include <QString>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "dataview/history/history_map.h"
#include "history/inspection_history.h"

namespace korvel {

class PalimarApp;
class TextTable;

// The history, or the message saying why it cannot be opened.
struct WindowHistory {
    std::unique_ptr<history::InspectionHistory> history;
    std::string error;
};
WindowHistory openWindowHistory(const PalimarApp& app);

// The message of a failed history operation, in the language chosen.
QString historyErrorText(const TextTable& texts, const history::HistoryError& error);

struct LoadedAsset {
    history::Asset asset;
    std::vector<history::SurveyEntry> surveys;
    std::vector<history::StoredReading> readings;
    history::AssetFigures figures;
    HistoryLayout layout;

    // The readings of one location over the surveys, in date order.
    history::LocationHistory locationHistory(const std::string& location) const;

  private:
    friend history::HistoryResult<LoadedAsset> loadAsset(history::InspectionHistory&,
                                                         const std::string&, long long);
    std::unordered_map<std::string, std::vector<std::size_t>> byLocation_;
};

// Reads the asset; today (minutes since 1970, local time) decides what is due within a year.
history::HistoryResult<LoadedAsset> loadAsset(history::InspectionHistory& history,
                                              const std::string& name, long long todayMinutes);

// Now, in minutes since 1970 in local time, as the surveys' dates are counted.
long long localTodayMinutes();

}  // namespace korvel
