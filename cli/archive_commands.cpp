// archive init | asset | assets | add | surveys | history | rates | exclude | include | audit |
// copy | workbook | report: the inspection history.

#include <iostream>

#include "app/safe_file.h"
#include "cli/archive_arguments.h"
#include "cli/archive_outputs.h"
#include "cli/cli_context.h"
#include "cli/file_argument.h"
#include "cli/output_arguments.h"
#include "datafile/data_file_reader.h"
#include "history/asset_history.h"
#include "history/history_json.h"
#include "history/history_messages.h"
#include "history/history_open.h"
#include "history/inspection_history.h"
#include "history/inspection_interval.h"
#include "history/survey_intake.h"
#include "survey/survey_layout.h"

namespace korvel::cli {

namespace {

using namespace korvel::history;

struct ArchiveRun {
    CliContext& context;
    InspectionHistory& history;
    const ArchiveArguments& args;

    // The failure's message on stderr; the exit status of a failed command.
    int fail(const HistoryError& error) const {
        context.voice.show(MessageKind::Error, historyMessage(context.app.texts(), error));
        return kExitFailed;
    }
    const std::string& word(std::size_t i) const { return args.words[i]; }
    const std::string* option(const std::string& name) const {
        const auto found = args.options.find(name);
        return found == args.options.end() ? nullptr : &found->second;
    }
};

struct ArchiveCommand {
    const char* name;
    std::size_t minWords;
    std::size_t maxWords;  // SIZE_MAX: any number
    std::vector<std::string> options;
    int (*run)(const ArchiveRun&);
};

template <typename T, typename Print>
int printed(const ArchiveRun& run, const HistoryResult<T>& result, Print print) {
    if (!result) {
        return run.fail(result.error);
    }
    std::cout << print(*result) << '\n';
    return kExitOk;
}

int usageError(const char* text) {
    std::cerr << "korvel-cli: archive: " << text << '\n';
    return kExitUsage;
}

// A thickness above 0, or "" for none; nothing after the usage error.
std::optional<std::optional<double>> thicknessOrNone(const std::string& text, const char* usage) {
    const auto value = thicknessValue(text);
    if (!text.empty() && (!value || *value <= 0)) {
        usageError(usage);
        return std::nullopt;
    }
    return text.empty() ? std::optional<double>() : value;
}

// --required T --units IN|MM --code CODE --class N --nominal T and the title fields' texts,
// checked before anything changes; each given as "" clears its property.
std::optional<AssetChange> assetChange(const ArchiveRun& run) {
    AssetChange change;
    change.name = run.word(0);
    if (const auto* required = run.option("--required")) {
        change.required =
            thicknessOrNone(*required, "--required takes a thickness above 0, or \"\" to clear it");
        if (!change.required) {
            return std::nullopt;
        }
    }
    if (const auto* units = run.option("--units")) {
        change.units = thicknessUnits(*units);
        if (change.units->empty() && !units->empty()) {
            usageError("--units takes IN or MM, or \"\" to clear it");
            return std::nullopt;
        }
    }
    if (const auto* code = run.option("--code")) {
        change.code = parseCode(*code);
        if (!*change.code && !code->empty()) {
            usageError("--code takes api510, api570 or api653, or \"\" to clear it");
            return std::nullopt;
        }
    }
    if (const auto* inspectionClass = run.option("--class")) {
        const std::string& text = *inspectionClass;
        const bool valid =
            text.size() == 1 && text[0] >= '0' + kLowestClass && text[0] <= '0' + kHighestClass;
        if (!valid && !text.empty()) {
            usageError("--class takes 1, 2, 3 or 4, or \"\" to clear it");
            return std::nullopt;
        }
        change.inspectionClass = valid ? std::optional<int>(text[0] - '0') : std::nullopt;
    }
    if (const auto* nominal = run.option("--nominal")) {
        change.nominal =
            thicknessOrNone(*nominal, "--nominal takes a thickness above 0, or \"\" to clear it");
        if (!change.nominal) {
            return std::nullopt;
        }
    }
    for (const auto& field : titleFields()) {
        if (const auto* text = run.option(std::string(field.option))) {
            change.title[field.field] = *text;
        }
    }
    return change;
}

int init(const ArchiveRun& run) {
    const auto status = run.history.initialise();
    return status ? kExitOk : run.fail(status.error);
}

int asset(const ArchiveRun& run) {
    const auto change = assetChange(run);
    if (!change) {
        return kExitUsage;
    }
    return printed(run, run.history.setAsset(*change), assetJson);
}

int assets(const ArchiveRun& run) {
    return printed(run, run.history.assets(), assetsJson);
}

int add(const ArchiveRun& run) {
    int status = kExitOk;
    for (std::size_t i = 1; i < run.args.words.size(); ++i) {
        const FileArgument file = fileArgument(run.context, run.word(i));
        const std::string path = joinPath(file.folder, file.name);
        auto bytes = readFileBytes(path);
        if (!bytes) {
            reportFileOpenError(run.context.voice, run.context.app.texts(), path);
            status = kExitFailed;
            continue;
        }
        const auto added = run.history.addSurvey(run.word(0), file.name, std::move(*bytes));
        const int one = printed(run, added, [&](const AddedSurvey& survey) {
            return addedSurveyJson(run.word(0), survey);
        });
        status = one == kExitOk ? status : one;
    }
    return status;
}

int surveys(const ArchiveRun& run) {
    return printed(run, run.history.surveys(run.word(0)),
                   [&](const auto& list) { return surveysJson(run.word(0), list); });
}

int history(const ArchiveRun& run) {
    return printed(run, run.history.history(run.word(0), run.word(1)), [&](const auto& points) {
        return locationHistoryJson(run.word(0), run.word(1), points);
    });
}

int rates(const ArchiveRun& run) {
    return printed(run, run.history.figures(run.word(0)), figuresJson);
}

int audit(const ArchiveRun& run) {
    return printed(run, run.history.audit(run.word(0)),
                   [&](const auto& entries) { return auditJson(run.word(0), entries); });
}

// exclude or include NAME SURVEY LOCATION --note TEXT
int exclusion(const ArchiveRun& run, bool excluded) {
    const std::string& text = run.word(1);
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != text.npos) {
        return usageError("SURVEY is a survey's number, as archive surveys lists it");
    }
    const long long survey = std::stoll(text);
    const auto* note = run.option("--note");
    const std::string given = note ? *note : std::string();
    const auto status = excluded ? run.history.exclude(run.word(0), survey, run.word(2), given)
                                 : run.history.include(run.word(0), survey, run.word(2), given);
    return status ? kExitOk : run.fail(status.error);
}

int exclude(const ArchiveRun& run) {
    return exclusion(run, true);
}

int include(const ArchiveRun& run) {
    return exclusion(run, false);
}

int copy(const ArchiveRun& run);

// NAME [--out FILE]: without --out, the asset's name with the extension in the working folder.
std::string outputPath(const ArchiveRun& run, const char* extension) {
    const auto* out = run.option("--out");
    return inFolder(run.context, out ? *out : assetFileName(run.word(0)) + extension);
}

int workbook(const ArchiveRun& run) {
    return writeHistoryWorkbook(run.context, run.history, run.word(0), outputPath(run, ".xlsx"));
}

int report(const ArchiveRun& run) {
    return writeHistoryReport(run.context, run.history, run.word(0), outputPath(run, ".pdf"));
}

std::vector<std::string> assetOptions() {
    std::vector<std::string> options = {"--required", "--units", "--code", "--class", "--nominal"};
    for (const auto& field : titleFields()) {
        options.emplace_back(field.option);
    }
    return options;
}

const std::vector<ArchiveCommand>& subcommands() {
    static const std::vector<ArchiveCommand> commands = {
        {"init", 0, 0, {}, init},
        {"asset", 1, 1, assetOptions(), asset},
        {"assets", 0, 0, {}, assets},
        {"add", 2, SIZE_MAX, {}, add},
        {"surveys", 1, 1, {}, surveys},
        {"history", 2, 2, {}, history},
        {"rates", 1, 1, {}, rates},
        {"exclude", 3, 3, {"--note"}, exclude},
        {"include", 3, 3, {"--note"}, include},
        {"audit", 1, 1, {}, audit},
        {"copy", 1, 1, {}, copy},
        {"workbook", 1, 1, {"--out"}, workbook},
        {"report", 1, 1, {"--out"}, report},
    };
    return commands;
}

HistoryResult<InspectionHistory> openHistory(const std::string& where) {
    auto storage = openHistoryStorage(where);
    if (!storage) {
        return storage.error;
    }
    return InspectionHistory(std::move(*storage));
}

std::string archiveLocation(const CliContext& context) {
    return context.archive.empty()
               ? defaultHistoryLocation(context.app.settingsFolder(), context.app.settingsFile())
               : context.archive;
}

int copy(const ArchiveRun& run) {
    auto target = openHistoryStorage(run.word(0));
    if (!target) {
        return run.fail(target.error);
    }
    if (const auto status = (*target)->initialise(); !status) {
        return run.fail(status.error);
    }
    const auto copied = run.history.copyTo(**target);
    if (!copied) {
        return run.fail(copied.error);
    }
    std::cout << "{\"copied\":" << *copied << "}\n";
    return kExitOk;
}

int archive(CliContext& context, const std::vector<std::string>& args) {
    if (args.empty()) {
        return kExitUsage;
    }
    for (const auto& command : subcommands()) {
        if (args[0] != command.name) {
            continue;
        }
        const auto parsed = archiveArguments({args.begin() + 1, args.end()}, command.options);
        if (!parsed || parsed->words.size() < command.minWords ||
            parsed->words.size() > command.maxWords) {
            return kExitUsage;
        }
        auto history = openHistory(archiveLocation(context));
        if (!history) {
            context.voice.show(MessageKind::Error,
                               historyMessage(context.app.texts(), history.error));
            return kExitFailed;
        }
        return command.run(ArchiveRun{context, *history, *parsed});
    }
    return kExitUsage;
}

}  // namespace

std::vector<CliCommand> archiveCommands() {
    return {
        {"archive",
         "init | asset NAME [--required T] [--units IN|MM] [--code api510|api570|api653] "
         "[--class N] [--nominal T] [--client TEXT] [--site TEXT] [--component TEXT] "
         "[--inspector TEXT] [--certification TEXT] [--gauge-model TEXT] [--gauge-serial "
         "TEXT] [--calibration-date TEXT] [--probe TEXT] [--comments TEXT] | assets | add NAME "
         "FILE... | surveys NAME | history NAME LOCATION | "
         "rates NAME | exclude NAME SURVEY LOCATION --note TEXT | include NAME SURVEY "
         "LOCATION --note TEXT | audit NAME | copy TO | workbook NAME [--out FILE.xlsx] | report "
         "NAME [--out FILE.pdf]   the inspection history (--archive "
         "WHERE), as JSON",
         archive}};
}

}  // namespace korvel::cli
