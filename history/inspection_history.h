#pragma once
// The inspection history as its front ends use it (korvel-cli, the window, the report and the
// workbook): assets and their properties, surveys added from data files, one location's
// readings over time, the figures, exclusions and the audit log, and moving a history. Every
// change is written with its audit entry (time in UTC and the user) in one transaction by the
// storage; this class adds the rules: a note for every exclusion and its undo, units as the
// history writes them, one survey stored once.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "history/history_figures.h"
#include "history/history_storage.h"

namespace korvel::history {

// Seconds since 1970-01-01 00:00 UTC.
using HistoryClock = std::function<long long()>;
long long systemSeconds();

// "YYYY-MM-DDTHH:MM:SSZ"
std::string utcTimestamp(long long seconds);

struct AddedSurvey {
    long long id = 0;
    std::string file;
    long long dateMinutes = 0;
    int readings = 0;
    int holes = 0;
};

struct HistoryPoint {
    long long survey = 0;
    long long dateMinutes = 0;
    std::optional<double> value;  // in the asset's units; none for a hole
    bool excluded = false;
    std::string note;
};

struct LocationHistory {
    std::string units;
    std::vector<HistoryPoint> points;  // in date order
};

// Adds the next reading of the location, in date order, converted to the history's units.
void addHistoryPoint(LocationHistory& history, const StoredReading& reading);

class InspectionHistory {
  public:
    explicit InspectionHistory(std::unique_ptr<HistoryStorage> storage,
                               HistoryClock now = systemSeconds);

    HistoryStorage& storage() { return *storage_; }

    HistoryStatus initialise() { return storage_->initialise(); }
    HistoryResult<std::vector<Asset>> assets() { return storage_->assets(); }
    // UnknownAsset when there is none of that name.
    HistoryResult<Asset> asset(const std::string& name);
    // Makes the asset or changes what the change gives.
    HistoryResult<Asset> setAsset(const AssetChange& change);

    HistoryResult<AddedSurvey> addSurvey(const std::string& asset, const std::string& fileName,
                                         std::string bytes);
    HistoryResult<std::vector<SurveyEntry>> surveys(const std::string& asset);
    HistoryResult<LocationHistory> history(const std::string& asset, const std::string& location);
    HistoryResult<AssetFigures> figures(const std::string& asset);

    HistoryStatus exclude(const std::string& asset, long long survey, const std::string& location,
                          const std::string& note);
    HistoryStatus include(const std::string& asset, long long survey, const std::string& location,
                          const std::string& note);
    HistoryResult<std::vector<AuditEntry>> audit(const std::string& asset) {
        return storage_->audit(asset);
    }

    // Copies every asset into the target history in one transaction; the number copied.
    HistoryResult<std::size_t> copyTo(HistoryStorage& target);

  private:
    HistoryResult<AuditEntry> entry(std::string action, std::string note = {});
    HistoryStatus setExclusion(const std::string& asset, long long survey,
                               const std::string& location, const std::string& note, bool excluded);

    std::unique_ptr<HistoryStorage> storage_;
    HistoryClock now_;
};

}  // namespace korvel::history
