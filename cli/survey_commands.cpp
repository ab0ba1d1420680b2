// stats, compare.

#include <iostream>

#include "cli/cli_context.h"
#include "cli/file_argument.h"
#include "survey/survey_comparison.h"
#include "survey/survey_json.h"
#include "survey/thickness_units.h"

namespace korvel::cli {

namespace {

int stats(CliContext& context, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return kExitUsage;
    }
    const auto file = loadDataFile(context, args[0]);
    if (!file) {
        return kExitFailed;
    }
    const Survey survey = surveyOf(*file);
    std::cout << surveyStatisticsJson(fileArgument(context, args[0]).name, survey,
                                      surveyStatistics(survey))
              << '\n';
    return kExitOk;
}

// EARLIER CURRENT [--min-thickness T], T a thickness above 0.
struct CompareArguments {
    std::string earlier;
    std::string current;
    std::optional<double> minimumThickness;
};

std::optional<CompareArguments> compareArguments(const std::vector<std::string>& args) {
    CompareArguments parsed;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--min-thickness") {
            files.push_back(args[i]);
            continue;
        }
        const auto value = i + 1 < args.size() ? thicknessValue(args[++i]) : std::nullopt;
        if (!value || *value <= 0) {
            std::cerr << "korvel-cli: compare: --min-thickness takes a thickness above 0\n";
            return std::nullopt;
        }
        parsed.minimumThickness = value;
    }
    if (files.size() != 2) {
        return std::nullopt;
    }
    parsed.earlier = files[0];
    parsed.current = files[1];
    return parsed;
}

int compare(CliContext& context, const std::vector<std::string>& args) {
    const auto parsed = compareArguments(args);
    if (!parsed) {
        return kExitUsage;
    }
    const auto earlierFile = loadDataFile(context, parsed->earlier);
    const auto currentFile = earlierFile ? loadDataFile(context, parsed->current) : std::nullopt;
    if (!currentFile) {
        return kExitFailed;
    }
    const Survey earlier = surveyOf(*earlierFile);
    const Survey current = surveyOf(*currentFile);
    if (!layoutsMatch(earlier, current)) {
        context.voice.show(MessageKind::Error,
                           context.app.texts().message("IDS_ERR_SURVEY_LAYOUT_MISMATCH"));
        return kExitFailed;
    }
    // Each location's thicknesses are printed as each file holds them; the losses, rates and
    // remaining lives are worked out with the earlier survey in the current one's units.
    const SurveyComparison comparison = compareSurveys(
        surveyInUnits(earlier, initialUnits(current)), current, parsed->minimumThickness);
    std::cout << surveyComparisonJson(fileArgument(context, parsed->earlier).name,
                                      fileArgument(context, parsed->current).name, earlier, current,
                                      comparison)
              << '\n';
    return kExitOk;
}

}  // namespace

std::vector<CliCommand> surveyCommands() {
    return {
        {"stats", "FILE               the survey's statistics, as JSON", stats},
        {"compare",
         "EARLIER CURRENT [--min-thickness T]  loss, corrosion rate and remaining life against "
         "an earlier survey of the same layout, as JSON",
         compare},
    };
}

}  // namespace korvel::cli
