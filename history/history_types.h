#pragma once
// What the inspection history keeps: assets (a tank, a line, a vessel), the surveys added to
// each with their readings by location, the readings left out of the figures, and the audit
// log; and how an operation on the history fails. Plain data shared by the storages, the
// figures and the front ends.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvel::history {

// The inspection codes whose rules give the next inspection.
enum class InspectionCode { Api510, Api570, Api653 };

std::string_view codeName(InspectionCode code);  // "api510" ...
std::optional<InspectionCode> parseCode(std::string_view text);

// The two thickness units of the gauge, as the files and the history write them.
inline constexpr std::string_view kInches = "IN";
inline constexpr std::string_view kMillimetres = "MM";
inline constexpr double kMillimetresPerInch = 25.4;

// The text fields of an inspection report's title block that the history keeps with an asset,
// beside its name, thicknesses, code and class: free text, empty when not given.
enum class TitleField {
    Client,
    Site,
    Component,
    Inspector,
    Certification,
    GaugeModel,
    GaugeSerial,
    CalibrationDate,
    Probe,
    Comments,
};
inline constexpr std::size_t kTitleFieldCount = 10;

// How each field is named: in the asset's JSON, in the assets table, as korvel-cli's option of
// "archive asset", and the key of its caption in the language file.
struct TitleFieldName {
    TitleField field;
    std::string_view json;    // "gaugeModel"
    std::string_view column;  // "gauge_model"
    std::string_view option;  // "--gauge-model"
    std::string_view label;   // "IDS_REPORT_GAUGE_MODEL"
};

// In the order above, which is the order a report prints them in.
const std::array<TitleFieldName, kTitleFieldCount>& titleFields();

// A value per field, indexed by TitleField.
template <typename T>
struct TitleValues {
    std::array<T, kTitleFieldCount> values{};

    T& operator[](TitleField field) { return values[static_cast<std::size_t>(field)]; }
    const T& operator[](TitleField field) const { return values[static_cast<std::size_t>(field)]; }
    bool operator==(const TitleValues&) const = default;
};

struct Asset {
    std::string name;
    std::optional<double> required;  // the minimum thickness, in the asset's units
    std::string units;               // "IN" or "MM"; empty: those of its first survey
    std::optional<InspectionCode> code;
    std::optional<int> inspectionClass;   // 1 to 4 (api570)
    std::optional<double> nominal = {};   // the thickness as built, in the asset's units
    TitleValues<std::string> title = {};  // empty: not given
};

// A change of an asset: only what is given changes. A property given with no value inside
// (units given as empty text) is cleared.
struct AssetChange {
    std::string name;
    std::optional<std::optional<double>> required;
    std::optional<std::string> units;
    std::optional<std::optional<InspectionCode>> code;
    std::optional<std::optional<int>> inspectionClass;
    std::optional<std::optional<double>> nominal = {};
    // A field given as empty text is cleared.
    TitleValues<std::optional<std::string>> title = {};
};

struct SurveyReading {
    std::string location;         // the reading's ID as the file holds it
    std::optional<double> value;  // in the survey's units; none for a hole
};

// A survey about to be added: the file's bytes exactly, and what the history reads from them.
struct NewSurvey {
    std::string file;           // the file's name
    std::string bytes;          // its contents
    std::string digest;         // SHA-256 of the contents, hex: one survey is stored once
    long long dateMinutes = 0;  // "Last Saved", else "Created"
    std::string units;
    std::vector<SurveyReading> readings;  // in file order
    int holes = 0;
};

struct SurveyEntry {
    long long id = 0;
    std::string file;
    long long dateMinutes = 0;
    std::string units;
    int readings = 0;
    int holes = 0;
};

// One reading of an asset's survey as the figures take it.
struct StoredReading {
    long long survey = 0;
    long long dateMinutes = 0;
    std::string units;  // the survey's
    std::string location;
    std::optional<double> value;
    bool excluded = false;
    std::string note;  // the exclusion's
};

struct AuditEntry {
    std::string time;  // UTC, "YYYY-MM-DDTHH:MM:SSZ"
    std::string user;
    std::string action;  // "asset", "add", "exclude", "include"
    std::optional<long long> survey;
    std::string location;
    std::string note;
};

// Everything of one asset, for moving a history.
struct AssetRecord {
    Asset asset;
    struct Survey {
        NewSurvey survey;
        long long id = 0;  // in the history it comes from
    };
    std::vector<Survey> surveys;
    struct Exclusion {
        long long survey = 0;
        std::string location;
        std::string note;
    };
    std::vector<Exclusion> exclusions;
    std::vector<AuditEntry> audit;
};

enum class HistoryFailure {
    None,
    CannotOpen,      // the file or its folder cannot be opened or made
    NotADatabase,    // the file is something else
    Corrupt,         // a database, damaged
    ReadOnly,        // the file or the server refuses writes
    Locked,          // another program holds it
    NewerSchema,     // made by a newer program
    NotInitialised,  // a server history whose tables are not made yet
    ServerUnreachable,
    PermissionDenied,
    PasswordGiven,  // a password in a connection string
    WriteFailed,    // full disk, lost connection ...: nothing was changed
    NotADataFile,
    NoDate,
    OtherUnits,
    Duplicate,
    UnknownAsset,
    UnknownReading,
    UnknownLocation,
    NoteRequired,
    AlreadyExcluded,
    NotExcluded,
    AssetExists,
};

struct HistoryError {
    HistoryFailure failure = HistoryFailure::None;
    std::vector<std::string> subjects;  // what the message names: the file, the asset ...
    std::string detail;                 // the engine's own words, when it gave any
};

// A value or the reason there is none.
template <typename T>
struct HistoryResult {
    std::optional<T> value;
    HistoryError error;

    HistoryResult(T result) : value(std::move(result)) {}
    HistoryResult(HistoryError failure) : error(std::move(failure)) {}
    explicit operator bool() const { return value.has_value(); }
    const T& operator*() const { return *value; }
    T& operator*() { return *value; }
    const T* operator->() const { return &*value; }
    T* operator->() { return &*value; }
};

struct Done {};
using HistoryStatus = HistoryResult<Done>;

}  // namespace korvel::history
