#include "history/sql_storage.h"

#include <algorithm>
#include <map>

namespace korvel::history {

namespace {

// The asset's columns, in the order assetOf and assetValues take them, each followed by `suffix`
// and separated by commas: "name, units" or "name = ?, units = ?".
std::string assetColumns(std::string_view suffix = {}) {
    std::vector<std::string_view> names = {"name",
                                           "required_thickness",
                                           "units",
                                           "inspection_code",
                                           "inspection_class",
                                           "nominal_thickness"};
    for (const auto& field : titleFields()) {
        names.push_back(field.column);
    }
    std::string list;
    for (const auto name : names) {
        list += (list.empty() ? "" : ", ") + std::string(name) + std::string(suffix);
    }
    return list;
}

constexpr int kFirstTitleColumn = 6;
constexpr std::string_view kSurveyColumns =
    "s.id, s.file_name, s.survey_date, s.units, s.reading_count, s.hole_count";

HistoryError failure(HistoryFailure kind, std::vector<std::string> subjects) {
    return {kind, std::move(subjects), {}};
}

Asset assetOf(const SqlRow& row) {
    Asset asset;
    asset.name = row.text(0);
    asset.required = row.optionalReal(1);
    asset.units = row.text(2);
    asset.code = parseCode(row.text(3));
    if (const auto inspectionClass = row.optionalInteger(4)) {
        asset.inspectionClass = static_cast<int>(*inspectionClass);
    }
    asset.nominal = row.optionalReal(5);
    for (std::size_t i = 0; i < kTitleFieldCount; ++i) {
        asset.title.values[i] = row.text(kFirstTitleColumn + static_cast<int>(i));
    }
    return asset;
}

SurveyEntry surveyOf(const SqlRow& row) {
    return {row.integer(0),
            row.text(1),
            row.integer(2),
            row.text(3),
            static_cast<int>(row.integer(4)),
            static_cast<int>(row.integer(5))};
}

std::vector<SqlValue> assetValues(const Asset& asset) {
    std::vector<SqlValue> values = {
        asset.name,
        sqlValue(asset.required),
        sqlText(asset.units),
        asset.code ? SqlValue(std::string(codeName(*asset.code))) : SqlValue(),
        asset.inspectionClass ? SqlValue(static_cast<long long>(*asset.inspectionClass))
                              : SqlValue(),
        sqlValue(asset.nominal)};
    for (const auto& text : asset.title.values) {
        values.push_back(sqlText(text));
    }
    return values;
}

// "?, ?, ..." for every asset column.
std::string assetPlaceholders() {
    std::string marks = "?";
    for (std::size_t i = 1; i < kFirstTitleColumn + kTitleFieldCount; ++i) {
        marks += ", ?";
    }
    return marks;
}

std::string tableExistsSql(SqlDialect dialect) {
    return dialect == SqlDialect::Sqlite
               ? "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?"
               : "SELECT count(*) FROM information_schema.tables WHERE table_name = ? AND "
                 "table_schema = current_schema()";
}

}  // namespace

HistoryResult<long long> SqlStorage::schemaVersion() {
    long long tables = 0;
    auto status = connection_->query(tableExistsSql(connection_->dialect()), {"schema_version"},
                                     [&](const SqlRow& row) { tables = row.integer(0); });
    if (!status) {
        return status.error;
    }
    long long version = 0;
    if (tables > 0) {
        status = connection_->query("SELECT max(version) FROM schema_version", {},
                                    [&](const SqlRow& row) { version = row.integer(0); });
        if (!status) {
            return status.error;
        }
    }
    return version;
}

HistoryStatus SqlStorage::migrate() {
    for (std::size_t version = 1; version <= newestSchemaVersion(); ++version) {
        SqlTransaction transaction(*connection_);
        auto status = transaction.begin();
        // Read within the transaction: another process may have migrated meanwhile.
        const auto current = status ? schemaVersion() : HistoryResult<long long>(status.error);
        if (!current) {
            return current.error;
        }
        if (static_cast<std::size_t>(*current) >= version) {
            continue;
        }
        status = connection_->execute(migrationSql(version, connection_->dialect()));
        if (status) {
            status = transaction.commit();
        }
        if (!status) {
            return status;
        }
    }
    return Done{};
}

HistoryStatus SqlStorage::checkSchema(bool migrateOlder) {
    const auto version = schemaVersion();
    if (!version) {
        return version.error;
    }
    if (static_cast<std::size_t>(*version) > newestSchemaVersion()) {
        return HistoryError{HistoryFailure::NewerSchema, {where(), std::to_string(*version)}, {}};
    }
    if (static_cast<std::size_t>(*version) == newestSchemaVersion()) {
        return Done{};
    }
    return migrateOlder ? migrate() : failure(HistoryFailure::NotInitialised, {where()});
}

HistoryStatus SqlStorage::initialise() {
    auto status = checkSchema(true);
    const auto script = connection_->initialiseScript();
    if (status && !script.empty()) {
        status = connection_->execute(script);
    }
    return status;
}

HistoryResult<std::vector<Asset>> SqlStorage::assets() {
    std::vector<Asset> assets;
    const auto status =
        connection_->query("SELECT " + assetColumns() + " FROM assets ORDER BY name", {},
                           [&](const SqlRow& row) { assets.push_back(assetOf(row)); });
    if (!status) {
        return status.error;
    }
    return assets;
}

HistoryResult<std::optional<Asset>> SqlStorage::asset(const std::string& name) {
    std::optional<Asset> found;
    const auto status =
        connection_->query("SELECT " + assetColumns() + " FROM assets WHERE name = ?", {name},
                           [&](const SqlRow& row) { found = assetOf(row); });
    if (!status) {
        return status.error;
    }
    return found;
}

HistoryResult<long long> SqlStorage::assetId(const std::string& name) {
    std::optional<long long> id;
    const auto status = connection_->query("SELECT id FROM assets WHERE name = ?", {name},
                                           [&](const SqlRow& row) { id = row.integer(0); });
    if (!status) {
        return status.error;
    }
    if (!id) {
        return failure(HistoryFailure::UnknownAsset, {name});
    }
    return *id;
}

HistoryStatus SqlStorage::insertAudit(long long asset, const AuditEntry& entry, bool asGiven) {
    const std::string_view user = asGiven ? std::string_view("?") : connection_->auditUserSql();
    std::vector<SqlValue> values = {asset, entry.time};
    if (user == "?") {
        values.push_back(entry.user);
    }
    values.insert(values.end(), {entry.action, sqlValue(entry.survey), sqlText(entry.location),
                                 sqlText(entry.note)});
    return connection_->query(
        "INSERT INTO audit_log (asset_id, entry_time, user_name, action, "
        "survey_id, location, note) VALUES (?, ?, " +
            std::string(user) + ", ?, ?, ?, ?)",
        values);
}

HistoryResult<long long> SqlStorage::insertAsset(const Asset& asset) {
    const auto status = connection_->query(
        "INSERT INTO assets (" + assetColumns() + ") VALUES (" + assetPlaceholders() + ")",
        assetValues(asset));
    return status ? assetId(asset.name) : HistoryResult<long long>(status.error);
}

HistoryStatus SqlStorage::saveAsset(const Asset& asset, const AuditEntry& entry) {
    SqlTransaction transaction(*connection_);
    auto status = transaction.begin();
    if (!status) {
        return status;
    }
    auto id = assetId(asset.name);
    if (id) {
        std::vector<SqlValue> values = assetValues(asset);
        values.push_back(*id);
        status = connection_->query("UPDATE assets SET " + assetColumns(" = ?") + " WHERE id = ?",
                                    values);
    } else if (id.error.failure == HistoryFailure::UnknownAsset) {
        id = insertAsset(asset);
    }
    if (!id) {
        return id.error;
    }
    status = status ? insertAudit(*id, entry) : status;
    return status ? transaction.commit() : status;
}

HistoryResult<long long> SqlStorage::insertSurvey(long long asset, const NewSurvey& survey) {
    std::optional<long long> id;
    const auto status = connection_->query(
        "INSERT INTO surveys (asset_id, file_name, survey_date, units, reading_count, "
        "hole_count, content_digest, content) VALUES (?, ?, ?, ?, ?, ?, ?, ?) RETURNING id",
        {asset, survey.file, survey.dateMinutes, survey.units,
         static_cast<long long>(survey.readings.size()), static_cast<long long>(survey.holes),
         survey.digest, SqlBlob{survey.bytes}},
        [&](const SqlRow& row) { id = row.integer(0); });
    if (!status) {
        return status.error;
    }
    std::vector<SqlValue> values;
    values.reserve(survey.readings.size() * 4);
    for (std::size_t i = 0; i < survey.readings.size(); ++i) {
        values.insert(values.end(), {*id, static_cast<long long>(i), survey.readings[i].location,
                                     sqlValue(survey.readings[i].value)});
    }
    const auto inserted = connection_->insertRows(
        "readings", {"survey_id", "reading_index", "location", "thickness"}, values);
    if (!inserted) {
        return inserted.error;
    }
    return *id;
}

HistoryError SqlStorage::duplicateOf(const NewSurvey& survey) {
    HistoryError error{HistoryFailure::Duplicate, {survey.file}, {}};
    connection_->query(
        "SELECT a.name, s.file_name FROM surveys s JOIN assets a ON a.id = "
        "s.asset_id WHERE s.content_digest = ?",
        {survey.digest}, [&](const SqlRow& row) {
            error.subjects.push_back(row.text(0));
            error.subjects.push_back(row.text(1));
        });
    return error;
}

HistoryResult<long long> SqlStorage::addSurvey(const std::string& asset, const NewSurvey& survey,
                                               const AuditEntry& entry) {
    SqlTransaction transaction(*connection_);
    const auto begun = transaction.begin();
    auto id = begun ? assetId(asset) : HistoryResult<long long>(begun.error);
    auto surveyId = id ? insertSurvey(*id, survey) : HistoryResult<long long>(id.error);
    if (!surveyId) {
        // The unique digest decides, so two processes adding one survey store it once.
        if (connection_->lastFailureWasUniqueViolation()) {
            connection_->rollback();
            return duplicateOf(survey);
        }
        return surveyId.error;
    }
    AuditEntry added = entry;
    added.survey = *surveyId;
    auto status = insertAudit(*id, added);
    status = status ? transaction.commit() : status;
    if (!status) {
        return status.error;
    }
    return *surveyId;
}

HistoryResult<std::vector<SurveyEntry>> SqlStorage::surveys(const std::string& asset) {
    const auto id = assetId(asset);
    if (!id) {
        return id.error;
    }
    std::vector<SurveyEntry> surveys;
    const auto status =
        connection_->query("SELECT " + std::string(kSurveyColumns) +
                               " FROM surveys s WHERE s.asset_id = ? ORDER BY s.survey_date, s.id",
                           {*id}, [&](const SqlRow& row) { surveys.push_back(surveyOf(row)); });
    if (!status) {
        return status.error;
    }
    return surveys;
}

HistoryResult<std::string> SqlStorage::surveyContent(const std::string& asset, long long survey) {
    const auto id = assetId(asset);
    if (!id) {
        return id.error;
    }
    std::optional<std::string> content;
    const auto status =
        connection_->query("SELECT content FROM surveys WHERE asset_id = ? AND id = ?",
                           {*id, survey}, [&](const SqlRow& row) { content = row.blob(0); });
    if (!status) {
        return status.error;
    }
    if (!content) {
        return HistoryError{
            HistoryFailure::UnknownReading, {std::to_string(survey), asset, ""}, {}};
    }
    return *content;
}

HistoryResult<std::vector<StoredReading>> SqlStorage::readings(
    const std::string& asset, const std::optional<std::string>& location) {
    const auto id = assetId(asset);
    if (!id) {
        return id.error;
    }
    std::vector<SqlValue> parameters = {*id};
    const std::string ofLocation = location ? " AND location = ?" : "";
    if (location) {
        parameters.push_back(*location);
    }
    // The few surveys and exclusions first, then the readings' own columns alone: no lookup a
    // reading in the database, and a survey's date and units are not read again for each of its
    // readings.
    const auto surveyList = surveys(asset);
    if (!surveyList) {
        return surveyList.error;
    }
    std::map<std::pair<long long, std::string>, std::string> excluded;
    auto status = connection_->query(
        "SELECT e.survey_id, e.location, e.note FROM surveys s JOIN exclusions e ON e.survey_id = "
        "s.id WHERE s.asset_id = ?" +
            ofLocation,
        parameters, [&](const SqlRow& row) {
            excluded[{row.integer(0), row.text(1)}] = row.text(2);
        });
    std::vector<StoredReading> readings;
    if (status) {
        std::size_t expected = 0;
        for (const SurveyEntry& survey : *surveyList) {
            expected += static_cast<std::size_t>(survey.readings + survey.holes);
        }
        readings.reserve(location ? surveyList->size() : expected);
        const SurveyEntry* survey = nullptr;
        status = connection_->query(
            "SELECT r.survey_id, r.location, r.thickness FROM surveys s JOIN readings r ON "
            "r.survey_id = s.id WHERE s.asset_id = ?" +
                ofLocation + " ORDER BY s.survey_date, s.id, r.reading_index",
            parameters, [&](const SqlRow& row) {
                const long long surveyId = row.integer(0);
                if (!survey || survey->id != surveyId) {
                    const auto found = std::find_if(
                        surveyList->begin(), surveyList->end(),
                        [surveyId](const SurveyEntry& entry) { return entry.id == surveyId; });
                    // A survey added since the list was read: the next read takes it.
                    if (found == surveyList->end()) {
                        return;
                    }
                    survey = &*found;
                }
                StoredReading reading{surveyId,    survey->dateMinutes, survey->units,
                                      row.text(1), row.optionalReal(2), false,
                                      {}};
                if (!excluded.empty()) {
                    const auto found = excluded.find({reading.survey, reading.location});
                    reading.excluded = found != excluded.end();
                    reading.note = reading.excluded ? found->second : std::string();
                }
                readings.push_back(std::move(reading));
            });
    }
    if (!status) {
        return status.error;
    }
    return readings;
}

HistoryStatus SqlStorage::setExclusion(const std::string& asset, long long survey,
                                       const std::string& location, bool excluded,
                                       const AuditEntry& entry) {
    SqlTransaction transaction(*connection_);
    auto status = transaction.begin();
    const auto id = status ? assetId(asset) : HistoryResult<long long>(status.error);
    if (!id) {
        return id.error;
    }
    long long readings = 0, exclusions = 0;
    status = connection_->query(
        "SELECT count(*), (SELECT count(*) FROM exclusions WHERE survey_id = ? AND location = ?) "
        "FROM readings r JOIN surveys s ON s.id = r.survey_id WHERE s.id = ? AND s.asset_id = ? "
        "AND r.location = ?",
        {survey, location, survey, *id, location}, [&](const SqlRow& row) {
            readings = row.integer(0);
            exclusions = row.integer(1);
        });
    if (status && readings == 0) {
        return failure(HistoryFailure::UnknownReading, {std::to_string(survey), asset, location});
    }
    if (status && (exclusions > 0) == excluded) {
        return failure(excluded ? HistoryFailure::AlreadyExcluded : HistoryFailure::NotExcluded,
                       {location, std::to_string(survey)});
    }
    if (status) {
        status = excluded ? connection_->query(
                                "INSERT INTO exclusions (survey_id, location, "
                                "note) VALUES (?, ?, ?)",
                                {survey, location, entry.note})
                          : connection_->query(
                                "DELETE FROM exclusions WHERE survey_id = ? AND "
                                "location = ?",
                                {survey, location});
    }
    status = status ? insertAudit(*id, entry) : status;
    return status ? transaction.commit() : status;
}

HistoryResult<std::vector<AuditEntry>> SqlStorage::audit(const std::string& asset) {
    const auto id = assetId(asset);
    if (!id) {
        return id.error;
    }
    std::vector<AuditEntry> entries;
    const auto status = connection_->query(
        "SELECT entry_time, user_name, action, survey_id, location, note FROM audit_log WHERE "
        "asset_id = ? ORDER BY id",
        {*id}, [&](const SqlRow& row) {
            entries.push_back({row.text(0), row.text(1), row.text(2), row.optionalInteger(3),
                               row.text(4), row.text(5)});
        });
    if (!status) {
        return status.error;
    }
    return entries;
}

}  // namespace korvel::history
