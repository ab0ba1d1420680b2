#pragma once
// Where an inspection history is kept: one small interface over the database engines (an
// SQLite file, a PostgreSQL server), so that the figures and the commands never depend on the
// engine. Every change is one transaction with its audit entry: it is stored whole or not at
// all. Readings come back in date order (then the survey's id, then file order), the order the
// figures take them in.

#include <optional>
#include <string>
#include <vector>

#include "history/history_types.h"

namespace korvel::history {

class HistoryStorage {
  public:
    virtual ~HistoryStorage() = default;

    // The file or the server, as messages name it.
    virtual const std::string& where() const = 0;
    // The user the audit log records: the system's user name, or on a server its role.
    virtual HistoryResult<std::string> user() = 0;

    // Makes the tables (and what else the engine needs) or brings them up to date; safe to
    // run again.
    virtual HistoryStatus initialise() = 0;

    virtual HistoryResult<std::vector<Asset>> assets() = 0;
    virtual HistoryResult<std::optional<Asset>> asset(const std::string& name) = 0;
    // Makes or replaces the asset of that name.
    virtual HistoryStatus saveAsset(const Asset& asset, const AuditEntry& entry) = 0;

    // The new survey's id; Duplicate when the same contents are stored already.
    virtual HistoryResult<long long> addSurvey(const std::string& asset, const NewSurvey& survey,
                                               const AuditEntry& entry) = 0;
    virtual HistoryResult<std::vector<SurveyEntry>> surveys(const std::string& asset) = 0;
    // The bytes of one of the asset's surveys as they were added (the window lays out its map
    // from the latest); UnknownReading when the asset has no survey of that id.
    virtual HistoryResult<std::string> surveyContent(const std::string& asset,
                                                     long long survey) = 0;
    // The asset's readings, of one location when given.
    virtual HistoryResult<std::vector<StoredReading>> readings(
        const std::string& asset, const std::optional<std::string>& location) = 0;

    // Leaves the readings at the location of the survey out or takes them back, the entry's
    // note the reason; UnknownReading when the survey of the asset has none there,
    // AlreadyExcluded and NotExcluded when nothing would change.
    virtual HistoryStatus setExclusion(const std::string& asset, long long survey,
                                       const std::string& location, bool excluded,
                                       const AuditEntry& entry) = 0;
    virtual HistoryResult<std::vector<AuditEntry>> audit(const std::string& asset) = 0;

    // Everything of one asset, and the same put into another history as one transaction
    // (AssetExists when it holds an asset of that name).
    virtual HistoryResult<AssetRecord> assetRecord(const std::string& asset) = 0;
    virtual HistoryStatus putAssetRecords(const std::vector<AssetRecord>& records) = 0;
};

}  // namespace korvel::history
