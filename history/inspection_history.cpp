#include "history/inspection_history.h"

#include <chrono>
#include <cstdio>

#include "app/text_rules.h"
#include "history/history_json.h"
#include "history/survey_intake.h"
#include "survey/survey_date.h"

namespace korvel::history {

namespace {

HistoryError error(HistoryFailure failure, std::vector<std::string> subjects) {
    return {failure, std::move(subjects), {}};
}

// The asset's properties as its audit entry notes them.
std::string propertiesNote(const Asset& asset) {
    std::string note = "required=" + (asset.required ? thicknessText(*asset.required) : "none");
    note += " units=" + (asset.units.empty() ? std::string("none") : asset.units);
    note += " code=" + (asset.code ? std::string(codeName(*asset.code)) : std::string("none"));
    note += " class=" +
            (asset.inspectionClass ? std::to_string(*asset.inspectionClass) : std::string("none"));
    if (asset.nominal) {
        note += " nominal=" + thicknessText(*asset.nominal);
    }
    for (const auto& field : titleFields()) {
        if (!asset.title[field.field].empty()) {
            note += " " + std::string(field.json) + "=" + textJson(asset.title[field.field]);
        }
    }
    return note;
}

Asset changed(Asset asset, const AssetChange& change) {
    asset.name = change.name;
    asset.required = change.required.value_or(asset.required);
    asset.units = change.units.value_or(asset.units);
    asset.code = change.code.value_or(asset.code);
    asset.inspectionClass = change.inspectionClass.value_or(asset.inspectionClass);
    asset.nominal = change.nominal.value_or(asset.nominal);
    for (std::size_t i = 0; i < kTitleFieldCount; ++i) {
        if (change.title.values[i]) {
            asset.title.values[i] = *change.title.values[i];
        }
    }
    return asset;
}

}  // namespace

long long systemSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string utcTimestamp(long long seconds) {
    const long long kSecondsPerDay = 24 * 60 * 60;
    const long long ofDay = (seconds % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    char time[16];
    std::snprintf(time, sizeof time, "T%02lld:%02lld:%02lldZ", ofDay / 3600, ofDay / 60 % 60,
                  ofDay % 60);
    return isoDateText((seconds - ofDay) / 60) + time;
}

InspectionHistory::InspectionHistory(std::unique_ptr<HistoryStorage> storage, HistoryClock now)
    : storage_(std::move(storage)), now_(std::move(now)) {}

HistoryResult<AuditEntry> InspectionHistory::entry(std::string action, std::string note) {
    const auto user = storage_->user();
    if (!user) {
        return user.error;
    }
    AuditEntry entry;
    entry.time = utcTimestamp(now_());
    entry.user = *user;
    entry.action = std::move(action);
    entry.note = std::move(note);
    return entry;
}

HistoryResult<Asset> InspectionHistory::asset(const std::string& name) {
    const auto found = storage_->asset(name);
    if (!found) {
        return found.error;
    }
    if (!*found) {
        return error(HistoryFailure::UnknownAsset, {name});
    }
    return **found;
}

HistoryResult<Asset> InspectionHistory::setAsset(const AssetChange& change) {
    const auto found = storage_->asset(change.name);
    if (!found) {
        return found.error;
    }
    const Asset updated = changed(found->value_or(Asset{}), change);
    auto audit = entry("asset", propertiesNote(updated));
    const auto saved = audit ? storage_->saveAsset(updated, *audit) : HistoryStatus(audit.error);
    if (!saved) {
        return saved.error;
    }
    return updated;
}

HistoryResult<AddedSurvey> InspectionHistory::addSurvey(const std::string& asset,
                                                        const std::string& fileName,
                                                        std::string bytes) {
    const auto intake = surveyIntake(fileName, std::move(bytes));
    if (!intake) {
        return intake.error;
    }
    auto audit = entry("add", fileName);
    const auto id =
        audit ? storage_->addSurvey(asset, *intake, *audit) : HistoryResult<long long>(audit.error);
    if (!id) {
        return id.error;
    }
    return AddedSurvey{*id, fileName, intake->dateMinutes,
                       static_cast<int>(intake->readings.size()), intake->holes};
}

HistoryResult<std::vector<SurveyEntry>> InspectionHistory::surveys(const std::string& asset) {
    return storage_->surveys(asset);
}

HistoryResult<LocationHistory> InspectionHistory::history(const std::string& asset,
                                                          const std::string& location) {
    const auto found = this->asset(asset);
    const auto surveys =
        found ? storage_->surveys(asset) : HistoryResult<std::vector<SurveyEntry>>(found.error);
    const auto readings = surveys ? storage_->readings(asset, location)
                                  : HistoryResult<std::vector<StoredReading>>(surveys.error);
    if (!readings) {
        return readings.error;
    }
    if (readings->empty()) {
        return error(HistoryFailure::UnknownLocation, {asset, location});
    }
    LocationHistory history;
    history.units = figureUnits(*found, *surveys);
    for (const auto& reading : *readings) {
        addHistoryPoint(history, reading);
    }
    return history;
}

void addHistoryPoint(LocationHistory& history, const StoredReading& reading) {
    if (!history.points.empty() && history.points.back().survey == reading.survey) {
        return;  // a location given twice in one survey counts once, as in the figures
    }
    std::optional<double> value;
    if (reading.value) {
        value = convertedThickness(*reading.value, reading.units, history.units);
    }
    history.points.push_back(
        {reading.survey, reading.dateMinutes, value, reading.excluded, reading.note});
}

HistoryResult<AssetFigures> InspectionHistory::figures(const std::string& asset) {
    const auto found = this->asset(asset);
    const auto surveys =
        found ? storage_->surveys(asset) : HistoryResult<std::vector<SurveyEntry>>(found.error);
    const auto readings = surveys ? storage_->readings(asset, std::nullopt)
                                  : HistoryResult<std::vector<StoredReading>>(surveys.error);
    if (!readings) {
        return readings.error;
    }
    return assetFigures(*found, *surveys, *readings);
}

HistoryStatus InspectionHistory::setExclusion(const std::string& asset, long long survey,
                                              const std::string& location, const std::string& note,
                                              bool excluded) {
    if (trimmed(note).empty()) {
        return error(HistoryFailure::NoteRequired, {});
    }
    auto audit = entry(excluded ? "exclude" : "include", note);
    if (!audit) {
        return audit.error;
    }
    audit->survey = survey;
    audit->location = location;
    return storage_->setExclusion(asset, survey, location, excluded, *audit);
}

HistoryStatus InspectionHistory::exclude(const std::string& asset, long long survey,
                                         const std::string& location, const std::string& note) {
    return setExclusion(asset, survey, location, note, true);
}

HistoryStatus InspectionHistory::include(const std::string& asset, long long survey,
                                         const std::string& location, const std::string& note) {
    return setExclusion(asset, survey, location, note, false);
}

HistoryResult<std::size_t> InspectionHistory::copyTo(HistoryStorage& target) {
    const auto all = storage_->assets();
    if (!all) {
        return all.error;
    }
    std::vector<AssetRecord> records;
    for (const auto& asset : *all) {
        auto record = storage_->assetRecord(asset.name);
        if (!record) {
            return record.error;
        }
        records.push_back(std::move(*record));
    }
    const auto put = target.putAssetRecords(records);
    if (!put) {
        return put.error;
    }
    return records.size();
}

}  // namespace korvel::history
