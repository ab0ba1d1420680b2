// korvel-cli: the program's operations without windows, for scripts and tests.

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "cli/stderr_voice.h"
#include "sim/gauge_fault.h"

using namespace korvel;
using namespace korvel::cli;

namespace {

std::vector<CliCommand> allCommands() {
    std::vector<CliCommand> all = appCommands();
    for (const auto& area : {dataFileCommands(), surveyCommands(), reportCommands(),
                             workbookCommands(), archiveCommands(), gaugeCommands()}) {
        all.insert(all.end(), area.begin(), area.end());
    }
    return all;
}

// The usage text, every line ended with a line end.
void printUsage(std::ostream& out, const std::vector<CliCommand>& commands) {
    out << "usage: korvel-cli [OPTIONS] COMMAND [ARGS...]\n\n"
           "OPTIONS\n"
           "  --folder DIR           the PC data folder to work in\n"
           "  --yes | --no           the answer to every overwrite question (default: --no)\n"
           "  --simulated-gauge DIR  talk to the simulated gauge whose data log is DIR\n"
           "  --boot-mode            with --simulated-gauge: the gauge is in its upgrade mode\n"
           "  --gauge-fault FAULT     with --simulated-gauge: the gauge misbehaves on every\n"
           "                         command: silent, error:TEXT, garbage, endless, drop:N,\n"
           "                         stall, fail-writes:N (and the upgrade's own faults)\n"
           "  --trace                every USB call on stderr (as [LOG] Debug=1 puts it in the\n"
           "                         debug log)\n"
           "  --archive WHERE        the inspection history: an SQLite file or a PostgreSQL\n"
           "                         connection string (default: Settings.ini, else\n"
           "                         history.sqlite in the settings folder)\n"
           "  --help                 this text, on standard output\n\n"
           "COMMANDS\n";
    for (const auto& command : commands) {
        out << "  " << command.name << ' ' << command.usage << '\n';
    }
}

int usage(const std::vector<CliCommand>& commands) {
    printUsage(std::cerr, commands);
    return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<CliCommand> commands = allCommands();
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string folder, simulated, gaugeFault, archive;
    bool answer = false, bootMode = false, trace = false;
    std::size_t i = 0;
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        const std::string& option = args[i];
        if (option == "--help") {
            printUsage(std::cout, commands);
            return kExitOk;
        }
        if (option == "--yes" || option == "--no") {
            answer = option == "--yes";
        } else if (option == "--boot-mode") {
            bootMode = true;
        } else if (option == "--trace") {
            trace = true;
        } else if ((option == "--folder" || option == "--simulated-gauge") && i + 1 < args.size()) {
            (option == "--folder" ? folder : simulated) = args[++i];
        } else if (option == "--gauge-fault" && i + 1 < args.size()) {
            gaugeFault = args[++i];
        } else if (option == "--archive" && i + 1 < args.size()) {
            archive = args[++i];
        } else {
            std::cerr << "korvel-cli: unknown option " << option << "\n";
            return usage(commands);
        }
    }
    if (i == args.size() || ((bootMode || !gaugeFault.empty()) && simulated.empty())) {
        return usage(commands);
    }
    if (!gaugeFault.empty() && !sim::parseGaugeFault(gaugeFault, bootMode)) {
        std::cerr << "korvel-cli: unknown gauge fault " << gaugeFault << "\n";
        return usage(commands);
    }
    const std::string name = args[i];
    const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                        args.end());

    PalimarApp app;
    app.startup();
    StderrVoice voice(answer);
    CliContext context{app,        voice,    folder.empty() ? app.pcDataFolder() : folder,
                       simulated,  bootMode, trace,
                       gaugeFault, archive};
    for (const auto& command : commands) {
        if (name == command.name) {
            const int status = command.run(context, rest);
            return status == kExitUsage ? usage(commands) : status;
        }
    }
    std::cerr << "korvel-cli: unknown command " << name << "\n";
    return usage(commands);
}
