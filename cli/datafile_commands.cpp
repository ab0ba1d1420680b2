// show, create, export, import, matches, merge.

#include <iostream>
#include <map>

#include "app/platform.h"
#include "app/safe_file.h"
#include "app/text_rules.h"
#include "cli/cli_context.h"
#include "cli/file_argument.h"
#include "datafile/data_file_json.h"
#include "datafile/data_file_reader.h"
#include "datafile/date_text.h"
#include "datafile/file_create.h"
#include "datafile/file_merge.h"
#include "datafile/text_report_reader.h"
#include "datafile/text_report_writer.h"

namespace korvel::cli {

namespace {

int show(CliContext& context, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return kExitUsage;
    }
    const auto loaded = loadDataFile(context, args[0]);
    if (!loaded) {
        return kExitFailed;
    }
    std::cout << dataFileJson(*loaded) << '\n';
    return kExitOk;
}

// The box each option fills, and whether the box turns what is typed into upper case.
struct BoxOption {
    std::string CreateRequest::*box;
    bool upperCase;
};

const std::map<std::string, BoxOption>& boxOptions() {
    static const std::map<std::string, BoxOption> options = {
        {"--product", {&CreateRequest::product, false}},
        {"--name", {&CreateRequest::fileName, true}},
        {"--type", {&CreateRequest::type, false}},
        {"--save", {&CreateRequest::saveMode, false}},
        {"--start", {&CreateRequest::start, true}},
        {"--end", {&CreateRequest::end, true}},
        {"--start-col", {&CreateRequest::startCol, true}},
        {"--end-col", {&CreateRequest::endCol, true}},
        {"--start-row", {&CreateRequest::startRow, true}},
        {"--end-row", {&CreateRequest::endRow, true}},
        {"--start-elev", {&CreateRequest::startElev, true}},
        {"--end-elev", {&CreateRequest::endElev, true}},
        {"--start-tube", {&CreateRequest::startTube, true}},
        {"--end-tube", {&CreateRequest::endTube, true}},
        {"--first-inc", {&CreateRequest::firstInc, false}},
        {"--second-inc", {&CreateRequest::secondInc, false}},
        {"--test-pts", {&CreateRequest::testPts, false}},
    };
    return options;
}

// The lists' selections after a type change, for the boxes not given.
void applyTypeDefaults(CreateRequest& request, const std::map<std::string, std::string>& given) {
    struct Defaults {
        const char* firstInc;
        const char* secondInc;
        const char* testPts;
    };
    static const std::map<std::string, Defaults> byType = {
        {"2D", {"ROW", "COL", ""}},
        {"3D", {"ROW", "COL", ""}},
        {"BOILER", {"TEST PTS", "TUBE", "N-E-S-W"}},
    };
    const auto defaults = byType.find(request.type);
    if (defaults == byType.end()) {
        return;
    }
    if (!given.count("--first-inc")) {
        request.firstInc = defaults->second.firstInc;
    }
    if (!given.count("--second-inc")) {
        request.secondInc = defaults->second.secondInc;
    }
    if (!given.count("--test-pts")) {
        request.testPts = defaults->second.testPts;
    }
}

int create(CliContext& context, const std::vector<std::string>& args) {
    CreateRequest request;
    request.product = productNames().front();
    std::map<std::string, std::string> given;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const auto option = boxOptions().find(args[i]);
        if (option == boxOptions().end() || i + 1 >= args.size()) {
            std::cerr << "korvel-cli: create: unknown option or missing value: " << args[i] << '\n';
            return kExitUsage;
        }
        request.*option->second.box =
            option->second.upperCase ? asciiUpper(args[i + 1]) : args[i + 1];
        given[args[i]] = args[i + 1];
    }
    const bool knownType = request.type == "LINEAR" || request.type == "2D" ||
                           request.type == "3D" || request.type == "BOILER";
    const bool knownSave = request.saveMode == kSaveThkOnly || request.saveMode == kSaveThkAscan;
    if (!knownType || !knownSave || !productCodeFor(request.product)) {
        std::cerr
            << "korvel-cli: create: --type is LINEAR, 2D, 3D or BOILER; --save is \"THK ONLY\" "
               "or \"THK+ASCAN\"; --product is one of the product names or codes\n";
        return kExitUsage;
    }
    applyTypeDefaults(request, given);
    const CreateResult result =
        createDataFile(request, context.folder, localNow(), context.voice, context.app.texts());
    return result.created ? kExitOk : kExitFailed;
}

int exportFile(CliContext& context, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return kExitUsage;
    }
    const FileArgument file = fileArgument(context, args[0]);
    return exportTextReport(file.folder, file.name, context.voice, context.app.texts()).written
               ? kExitOk
               : kExitFailed;
}

int importFile(CliContext& context, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return kExitUsage;
    }
    const FileArgument file = fileArgument(context, args[0]);
    return importTextReport(file.folder, file.name, context.voice, context.app.texts()).written
               ? kExitOk
               : kExitFailed;
}

int matches(CliContext& context, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return kExitUsage;
    }
    const FileArgument file = fileArgument(context, args[0]);
    if (!readFileBytes(joinPath(file.folder, file.name))) {
        reportFileOpenError(context.voice, context.app.texts(), file.name);
        return kExitFailed;
    }
    for (const auto& name :
         findMatchingFiles(file.folder, file.name, context.voice, context.app.texts())) {
        std::cout << name << '\n';
    }
    return kExitOk;
}

int merge(CliContext& context, const std::vector<std::string>& args) {
    if (args.size() < 2 || args[0] != "--out") {
        return kExitUsage;
    }
    std::vector<std::string> names;
    for (auto file = args.begin() + 2; file != args.end(); ++file) {
        names.push_back(nameFromFolder(context, *file));
    }
    return mergeFiles(context.folder, names, args[1], context.voice, context.app.texts()).written
               ? kExitOk
               : kExitFailed;
}

}  // namespace

std::vector<CliCommand> dataFileCommands() {
    return {
        {"show", "FILE                the data file as the data view loads it, as JSON", show},
        {"create",
         "OPTIONS           the Create File page: --product --name --type --save --start "
         "--end --start-col --end-col --start-row --end-row --start-elev --end-elev "
         "--start-tube --end-tube --first-inc --second-inc --test-pts",
         create},
        {"export", "FILE              the text report of a data file", exportFile},
        {"import", "FILE              the data file of a text report", importFile},
        {"matches", "FILE             the files of the folder whose line keys match FILE's",
         matches},
        {"merge", "--out NAME FILE... merge the files, in the order given, into NAME", merge},
    };
}

}  // namespace korvel::cli
