#include "history/history_json.h"

#include <charconv>
#include <cmath>

#include "datafile/data_file_json.h"
#include "datafile/number_text.h"
#include "survey/survey_date.h"

namespace korvel::history {

namespace {

constexpr int kRateDecimals = 4;
constexpr int kLifeDecimals = 2;

// The length of the UTF-8 sequence at the start of text, or 0 when it is not one.
std::size_t utf8Length(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                               : lead >= 0xE0                 ? 3
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                                                              : 0;
    if (length == 0 || text.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

std::string member(std::string_view name, const std::string& json, bool first = false) {
    return std::string(first ? "" : ",") + "\"" + std::string(name) + "\":" + json;
}

std::string optionalNumber(const std::optional<double>& value, int decimals) {
    return value ? fixedDecimals(*value, decimals) : "null";
}

std::string optionalThickness(const std::optional<double>& value) {
    return value ? thicknessText(*value) : "null";
}

std::string dateJson(long long minutes) {
    return "\"" + isoDateText(minutes) + "\"";
}

std::string datedValueJson(const std::optional<DatedValue>& value) {
    if (!value) {
        return "null";
    }
    return "{" + member("date", dateJson(value->dateMinutes), true) +
           member("value", thicknessText(value->value)) + "}";
}

// "asset", "units", "required", "code", "class"
std::string assetMembers(const Asset& asset, const std::string& unitsJson) {
    return member("asset", textJson(asset.name), true) + member("units", unitsJson) +
           member("required", optionalThickness(asset.required)) +
           member("code", asset.code ? textJson(codeName(*asset.code)) : "null") +
           member("class", asset.inspectionClass ? std::to_string(*asset.inspectionClass) : "null");
}

std::string locationFiguresJson(const LocationFigures& figures) {
    return "{" + member("location", jsonString(figures.location), true) +
           member("values", std::to_string(figures.values)) +
           member("initial", datedValueJson(figures.initial)) +
           member("previous", datedValueJson(figures.previous)) +
           member("actual", datedValueJson(figures.actual)) +
           member("longTermRate", optionalNumber(figures.longTermRate, kRateDecimals)) +
           member("shortTermRate", optionalNumber(figures.shortTermRate, kRateDecimals)) +
           member("regressionRate", optionalNumber(figures.regressionRate, kRateDecimals)) +
           member("governingRate", optionalNumber(figures.governingRate, kRateDecimals)) +
           member("remainingLife", optionalNumber(figures.remainingLife, kLifeDecimals)) +
           member("nextInspection", figures.nextInspectionMinutes
                                        ? dateJson(*figures.nextInspectionMinutes)
                                        : "null") +
           member("belowRequired", figures.belowRequired ? "true" : "false") + "}";
}

template <typename Item, typename Write>
std::string arrayJson(const std::vector<Item>& items, Write write) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i ? "," : "") + write(items[i]);
    }
    return out + "]";
}

}  // namespace

std::string textJson(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = byte >= 0x80 ? utf8Length(text.substr(i)) : 0;
        if (length > 0) {
            out += text.substr(i, length);
            i += length;
            continue;
        }
        out += jsonString(text.substr(i, 1)).substr(1, std::string::npos);
        out.pop_back();
        ++i;
    }
    return out + "\"";
}

std::string thicknessText(double value) {
    const double rounded = std::round(value * 1e6) / 1e6;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded == 0 ? 0.0 : rounded);
    return std::string(buffer, result.ptr);
}

// "nominal" and the title fields, null when not given.
std::string titleMembers(const Asset& asset) {
    std::string members = member("nominal", optionalThickness(asset.nominal));
    for (const auto& field : titleFields()) {
        const std::string& text = asset.title[field.field];
        members += member(field.json, text.empty() ? "null" : textJson(text));
    }
    return members;
}

std::string assetJson(const Asset& asset) {
    return "{" + assetMembers(asset, asset.units.empty() ? "null" : textJson(asset.units)) +
           titleMembers(asset) + "}";
}

std::string assetsJson(const std::vector<Asset>& assets) {
    return "{" + member("assets", arrayJson(assets, assetJson), true) + "}";
}

std::string addedSurveyJson(const std::string& asset, const AddedSurvey& survey) {
    return "{" + member("asset", textJson(asset), true) +
           member("survey", std::to_string(survey.id)) + member("file", textJson(survey.file)) +
           member("date", dateJson(survey.dateMinutes)) +
           member("readings", std::to_string(survey.readings)) +
           member("holes", std::to_string(survey.holes)) + "}";
}

std::string surveysJson(const std::string& asset, const std::vector<SurveyEntry>& surveys) {
    const auto surveyJson = [](const SurveyEntry& survey) {
        return "{" + member("survey", std::to_string(survey.id), true) +
               member("file", textJson(survey.file)) +
               member("date", dateJson(survey.dateMinutes)) +
               member("units", textJson(survey.units)) +
               member("readings", std::to_string(survey.readings)) +
               member("holes", std::to_string(survey.holes)) + "}";
    };
    return "{" + member("asset", textJson(asset), true) +
           member("surveys", arrayJson(surveys, surveyJson)) + "}";
}

std::string locationHistoryJson(const std::string& asset, const std::string& location,
                                const LocationHistory& history) {
    const auto pointJson = [](const HistoryPoint& point) {
        return "{" + member("survey", std::to_string(point.survey), true) +
               member("date", dateJson(point.dateMinutes)) +
               member("value", optionalThickness(point.value)) +
               member("excluded", point.excluded ? "true" : "false") +
               member("note", point.excluded ? textJson(point.note) : "null") + "}";
    };
    return "{" + member("asset", textJson(asset), true) + member("location", jsonString(location)) +
           member("units", textJson(history.units)) +
           member("points", arrayJson(history.points, pointJson)) + "}";
}

std::string figuresJson(const AssetFigures& figures) {
    std::string next = "null", shortest = "null";
    if (figures.dueFirst) {
        const auto& location = figures.locations[*figures.dueFirst];
        next = "{" + member("location", jsonString(location.location), true) +
               member("date", dateJson(*location.nextInspectionMinutes)) + "}";
    }
    if (figures.shortestLife) {
        const auto& location = figures.locations[*figures.shortestLife];
        shortest = "{" + member("location", jsonString(location.location), true) +
                   member("remainingLife", optionalNumber(location.remainingLife, kLifeDecimals)) +
                   "}";
    }
    return "{" + assetMembers(figures.asset, textJson(figures.units)) +
           member("surveys", std::to_string(figures.surveys)) +
           member("locations", arrayJson(figures.locations, locationFiguresJson)) +
           member("next", next) + member("shortestLife", shortest) + "}";
}

std::string auditJson(const std::string& asset, const std::vector<AuditEntry>& entries) {
    const auto entryJson = [](const AuditEntry& entry) {
        return "{" + member("time", textJson(entry.time), true) +
               member("user", textJson(entry.user)) + member("action", textJson(entry.action)) +
               member("survey", entry.survey ? std::to_string(*entry.survey) : "null") +
               member("location", entry.location.empty() ? "null" : jsonString(entry.location)) +
               member("note", entry.note.empty() ? "null" : textJson(entry.note)) + "}";
    };
    return "{" + member("asset", textJson(asset), true) +
           member("entries", arrayJson(entries, entryJson)) + "}";
}

}  // namespace korvel::history
