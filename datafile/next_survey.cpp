#include "datafile/next_survey.h"

#include <algorithm>

#include "app/text_rules.h"

namespace korvel {

namespace {

constexpr std::size_t kMaxStem = 16;

std::string stemOf(const std::string& name) {
    const std::string upper = asciiUpper(name);
    const auto dot = upper.find(".CSV");
    return dot == std::string::npos ? upper : upper.substr(0, dot);
}

// "TANK-12" as ("TANK", 12); a stem without a number after its last '-' as (stem, 1).
std::pair<std::string, long> numberedStem(const std::string& stem) {
    const auto dash = stem.rfind('-');
    if (dash == std::string::npos || dash + 1 == stem.size() || stem.size() - dash > 6 ||
        !std::all_of(stem.begin() + long(dash) + 1, stem.end(),
                     [](char c) { return c >= '0' && c <= '9'; })) {
        return {stem, 1};
    }
    return {stem.substr(0, dash), std::stol(stem.substr(dash + 1))};
}

bool isTaken(const std::string& stem, const std::vector<std::string>& taken) {
    return std::any_of(taken.begin(), taken.end(),
                       [&](const std::string& name) { return stemOf(name) == stem; });
}

// "L-C-R" from the header's "LCR"; a pattern with its dashes stays as it is.
std::string testPointPattern(const std::string& headerValue) {
    if (headerValue.find('-') != std::string::npos) {
        return headerValue;
    }
    std::string pattern;
    for (const char c : headerValue) {
        pattern += pattern.empty() ? std::string(1, c) : std::string{'-', c};
    }
    return pattern;
}

}  // namespace

std::string nextSurveyName(const std::string& fileName, const std::vector<std::string>& taken) {
    auto [base, number] = numberedStem(stemOf(fileName));
    for (;;) {
        ++number;
        const std::string suffix = "-" + std::to_string(number);
        const std::string stem =
            base.substr(0, kMaxStem > suffix.size() ? kMaxStem - suffix.size() : 0) + suffix;
        if (!isTaken(stem, taken)) {
            return stem;
        }
    }
}

CreateRequest nextSurveyRequest(const DataFile& file, const std::string& fileName,
                                const std::vector<std::string>& taken) {
    const auto value = [&](const char* name) { return file.headerValue(name); };
    CreateRequest request;
    request.product = file.product;
    request.fileName = nextSurveyName(fileName, taken);
    request.type = asciiUpper(value("Type"));
    request.saveMode = equalsNoCase(value("AScan"), "ON") ? kSaveThkAscan : kSaveThkOnly;
    if (request.type == "LINEAR") {
        request.start = value("Start Row");
        request.end = value("End Row");
        return request;
    }
    request.startCol = value("Start Col");
    request.endCol = value("End Col");
    request.startRow = value("Start Row");
    request.endRow = value("End Row");
    request.startElev = value("Start Elev");
    request.endElev = value("End Elev");
    request.startTube = value("Start Tube");
    request.endTube = value("End Tube");
    request.firstInc = value("1st Inc");
    request.secondInc = value("2nd Inc");
    if (request.type == "BOILER") {
        request.testPts = testPointPattern(value("Test Pts"));
    }
    return request;
}

}  // namespace korvel
