// SqlStorage: everything of an asset read out and put into another history, for moving a
// history between files and servers.

#include <map>

#include "history/sql_storage.h"

namespace korvel::history {

namespace {

HistoryStatus readSurveys(SqlConnection& connection, long long asset, AssetRecord& record) {
    auto status = connection.query(
        "SELECT id, file_name, survey_date, units, hole_count, content_digest, content FROM "
        "surveys WHERE asset_id = ? ORDER BY survey_date, id",
        {asset}, [&](const SqlRow& row) {
            AssetRecord::Survey survey;
            survey.id = row.integer(0);
            survey.survey.file = row.text(1);
            survey.survey.dateMinutes = row.integer(2);
            survey.survey.units = row.text(3);
            survey.survey.holes = static_cast<int>(row.integer(4));
            survey.survey.digest = row.text(5);
            survey.survey.bytes = row.blob(6);
            record.surveys.push_back(std::move(survey));
        });
    std::map<long long, NewSurvey*> byId;
    for (auto& survey : record.surveys) {
        byId[survey.id] = &survey.survey;
    }
    if (status) {
        status = connection.query(
            "SELECT r.survey_id, r.location, r.thickness FROM readings r JOIN surveys s ON s.id "
            "= r.survey_id WHERE s.asset_id = ? ORDER BY s.survey_date, s.id, r.reading_index",
            {asset}, [&](const SqlRow& row) {
                byId[row.integer(0)]->readings.push_back({row.text(1), row.optionalReal(2)});
            });
    }
    return status;
}

}  // namespace

HistoryResult<AssetRecord> SqlStorage::assetRecord(const std::string& name) {
    const auto found = asset(name);
    const auto id = found ? assetId(name) : HistoryResult<long long>(found.error);
    if (!id) {
        return id.error;
    }
    AssetRecord record;
    record.asset = **found;
    auto status = readSurveys(*connection_, *id, record);
    if (status) {
        status = connection_->query(
            "SELECT e.survey_id, e.location, e.note FROM exclusions e JOIN surveys s ON s.id = "
            "e.survey_id WHERE s.asset_id = ? ORDER BY s.survey_date, s.id, e.location",
            {*id}, [&](const SqlRow& row) {
                record.exclusions.push_back({row.integer(0), row.text(1), row.text(2)});
            });
    }
    const auto entries =
        status ? audit(name) : HistoryResult<std::vector<AuditEntry>>(status.error);
    if (!entries) {
        return entries.error;
    }
    record.audit = *entries;
    return record;
}

HistoryStatus SqlStorage::putAssetRecord(const AssetRecord& record) {
    if (const auto existing = assetId(record.asset.name);
        existing || existing.error.failure != HistoryFailure::UnknownAsset) {
        return existing
                   ? HistoryError{HistoryFailure::AssetExists, {where(), record.asset.name}, {}}
                   : existing.error;
    }
    const auto id = insertAsset(record.asset);
    if (!id) {
        return id.error;
    }
    // Survey ids are the target's own; exclusions and audit entries follow them.
    std::map<long long, long long> newIds;
    for (const auto& survey : record.surveys) {
        const auto added = insertSurvey(*id, survey.survey);
        if (!added) {
            return connection_->lastFailureWasUniqueViolation() ? duplicateOf(survey.survey)
                                                                : added.error;
        }
        newIds[survey.id] = *added;
    }
    for (const auto& exclusion : record.exclusions) {
        const auto status = connection_->query(
            "INSERT INTO exclusions (survey_id, location, note) VALUES (?, ?, ?)",
            {newIds[exclusion.survey], exclusion.location, exclusion.note});
        if (!status) {
            return status;
        }
    }
    for (AuditEntry entry : record.audit) {
        if (entry.survey) {
            const auto mapped = newIds.find(*entry.survey);
            entry.survey =
                mapped == newIds.end() ? std::nullopt : std::optional<long long>(mapped->second);
        }
        if (const auto status = insertAudit(*id, entry, true); !status) {
            return status;
        }
    }
    return Done{};
}

HistoryStatus SqlStorage::putAssetRecords(const std::vector<AssetRecord>& records) {
    SqlTransaction transaction(*connection_);
    auto status = transaction.begin();
    for (const auto& record : records) {
        status = status ? putAssetRecord(record) : status;
    }
    return status ? transaction.commit() : status;
}

}  // namespace korvel::history
