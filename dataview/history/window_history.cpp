#include "dataview/history/window_history.h"

#include <QDateTime>

#include "app/palimar_app.h"
#include "app/ui/qt_text.h"
#include "history/history_messages.h"
#include "history/history_open.h"

namespace korvel {

using namespace history;

WindowHistory openWindowHistory(const PalimarApp& app) {
    WindowHistory opened;
    auto storage =
        openHistoryStorage(defaultHistoryLocation(app.settingsFolder(), app.settingsFile()));
    if (!storage) {
        opened.error = historyMessage(app.texts(), storage.error, HistoryFront::Window);
        return opened;
    }
    opened.history = std::make_unique<InspectionHistory>(std::move(*storage));
    if (const auto ready = opened.history->initialise(); !ready) {
        opened.error = historyMessage(app.texts(), ready.error, HistoryFront::Window);
        opened.history.reset();
    }
    return opened;
}

QString historyErrorText(const TextTable& texts, const HistoryError& error) {
    return toQt(historyMessage(texts, error, HistoryFront::Window));
}

LocationHistory LoadedAsset::locationHistory(const std::string& location) const {
    LocationHistory history;
    history.units = figures.units;
    const auto found = byLocation_.find(location);
    if (found != byLocation_.end()) {
        for (const std::size_t reading : found->second) {
            addHistoryPoint(history, readings[reading]);
        }
    }
    return history;
}

HistoryResult<LoadedAsset> loadAsset(InspectionHistory& history, const std::string& name,
                                     long long todayMinutes) {
    LoadedAsset loaded;
    auto asset = history.asset(name);
    if (!asset) {
        return asset.error;
    }
    loaded.asset = std::move(*asset);
    auto surveys = history.surveys(name);
    if (!surveys) {
        return surveys.error;
    }
    loaded.surveys = std::move(*surveys);
    auto readings = history.storage().readings(name, std::nullopt);
    if (!readings) {
        return readings.error;
    }
    loaded.readings = std::move(*readings);
    loaded.figures = assetFigures(loaded.asset, loaded.surveys, loaded.readings);
    for (std::size_t i = 0; i < loaded.readings.size(); ++i) {
        loaded.byLocation_[loaded.readings[i].location].push_back(i);
    }
    if (!loaded.surveys.empty()) {
        const auto latest = history.storage().surveyContent(name, loaded.surveys.back().id);
        if (!latest) {
            return latest.error;
        }
        loaded.layout = historyLayout(*latest, loaded.figures, todayMinutes);
    }
    return loaded;
}

long long localTodayMinutes() {
    const QDateTime now = QDateTime::currentDateTime();
    return (now.toSecsSinceEpoch() + now.offsetFromUtc()) / 60;
}

}  // namespace korvel
