#pragma once
// What every korvel-cli command is given: the application object after start-up, the folder to
// work in, the answer to questions, the simulated gauge and its fault, and the voice on stderr.

#include <functional>
#include <string>
#include <vector>

#include "app/palimar_app.h"
#include "app/user_voice.h"

namespace korvel::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct CliContext {
    PalimarApp& app;
    UserVoice& voice;
    std::string folder;          // the PC data folder to work in
    std::string simulatedGauge;  // data log folder of the simulated gauge, or empty for USB
    bool bootMode = false;       // the simulated gauge is plugged in in its upgrade mode
    bool trace = false;          // every USB call written to stderr
    std::string gaugeFault;      // how the simulated gauge misbehaves (--gauge-fault), or empty
    std::string archive;         // --archive: the inspection history, or empty for the default
};

struct CliCommand {
    const char* name;
    const char* usage;  // one usage line, after the command name
    std::function<int(CliContext&, const std::vector<std::string>&)> run;
};

// Each area contributes its commands.
std::vector<CliCommand> appCommands();
std::vector<CliCommand> dataFileCommands();
std::vector<CliCommand> gaugeCommands();
std::vector<CliCommand> surveyCommands();
// archive: the inspection history; on Windows a command that says it is not in the build.
std::vector<CliCommand> archiveCommands();
// report; empty in a build without the Qt programs, which draw its pages.
std::vector<CliCommand> reportCommands();
// workbook; empty in a build without libxlsxwriter (Windows).
std::vector<CliCommand> workbookCommands();

}  // namespace korvel::cli
