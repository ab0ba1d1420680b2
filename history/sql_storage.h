#pragma once
// The history's storage over an SQL connection: the same statements and the same migrations
// for every engine, each change one transaction with its audit entry.

#include <memory>

#include "history/history_storage.h"
#include "history/sql_connection.h"

namespace korvel::history {

class SqlStorage : public HistoryStorage {
  public:
    explicit SqlStorage(std::unique_ptr<SqlConnection> connection)
        : connection_(std::move(connection)) {}

    // Checks the schema's version: a newer one is refused; an older one (or none) is brought up
    // to date when `migrate`, else NotInitialised.
    HistoryStatus checkSchema(bool migrate);

    const std::string& where() const override { return connection_->where(); }
    HistoryResult<std::string> user() override { return connection_->user(); }
    HistoryStatus initialise() override;
    HistoryResult<std::vector<Asset>> assets() override;
    HistoryResult<std::optional<Asset>> asset(const std::string& name) override;
    HistoryStatus saveAsset(const Asset& asset, const AuditEntry& entry) override;
    HistoryResult<long long> addSurvey(const std::string& asset, const NewSurvey& survey,
                                       const AuditEntry& entry) override;
    HistoryResult<std::vector<SurveyEntry>> surveys(const std::string& asset) override;
    HistoryResult<std::string> surveyContent(const std::string& asset, long long survey) override;
    HistoryResult<std::vector<StoredReading>> readings(
        const std::string& asset, const std::optional<std::string>& location) override;
    HistoryStatus setExclusion(const std::string& asset, long long survey,
                               const std::string& location, bool excluded,
                               const AuditEntry& entry) override;
    HistoryResult<std::vector<AuditEntry>> audit(const std::string& asset) override;
    HistoryResult<AssetRecord> assetRecord(const std::string& asset) override;
    HistoryStatus putAssetRecords(const std::vector<AssetRecord>& records) override;

    SqlConnection& connection() { return *connection_; }

  private:
    HistoryResult<long long> schemaVersion();
    HistoryStatus migrate();
    HistoryResult<long long> assetId(const std::string& name);
    HistoryResult<long long> insertAsset(const Asset& asset);
    HistoryStatus insertAudit(long long asset, const AuditEntry& entry, bool asGiven = false);
    HistoryResult<long long> insertSurvey(long long asset, const NewSurvey& survey);
    HistoryError duplicateOf(const NewSurvey& survey);
    HistoryStatus putAssetRecord(const AssetRecord& record);

    std::unique_ptr<SqlConnection> connection_;
};

}  // namespace korvel::history
