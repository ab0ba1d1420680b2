// korvel-cli gauge SUBCOMMAND: the gauge operations, over USB or with the simulated gauge.

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string_view>

#include "app/clock.h"
#include "cli/cli_context.h"
#include "cli/exit_status.h"
#include "cli/gauge_utility_commands.h"
#include "cli/interrupt.h"
#include "gauge/gauge_directory.h"
#include "gauge/gauge_reply.h"
#include "gauge/read_from_gauge.h"
#include "gauge/usb_trace.h"
#include "gauge/write_to_gauge.h"
#include "sim/gauge_fault.h"
#include "sim/simulated_gauge.h"
#include "sim/simulated_port.h"
#include "sim/upgrade_mode.h"
#include "sim/velocity_store.h"

namespace korvel::cli {

namespace {

// The simulated gauge's clock: the real one, unless KORVEL_VIRTUAL_CLOCK=1 (the tests) lets
// every pause of the protocol pass at once.
std::unique_ptr<Clock> simulatedGaugeClock() {
    const char* virtualClock = std::getenv("KORVEL_VIRTUAL_CLOCK");
    if (virtualClock && std::string_view(virtualClock) == "1") {
        return std::make_unique<VirtualClock>();
    }
    return std::make_unique<RealClock>();
}

// The port the subcommand talks through: the real library, or the simulated gauge plugged
// into the virtual bus with its data log in the folder given by --simulated-gauge.
class GaugeConnection {
  public:
    explicit GaugeConnection(const CliContext& context) {
        if (context.simulatedGauge.empty()) {
            return;
        }
        std::shared_ptr<sim::SimDevice> device;
        std::shared_ptr<sim::SimulatedGauge> gauge;
        std::shared_ptr<sim::BootModeGauge> upgradeGauge;
        if (context.bootMode) {
            // The received images are kept beside the data log, out of its listing.
            upgradeGauge =
                std::make_shared<sim::BootModeGauge>(joinPath(context.simulatedGauge, ".gauge"));
            device = upgradeGauge;
        } else {
            gauge = std::make_shared<sim::SimulatedGauge>(context.simulatedGauge);
            sim::teachVelocities(*gauge, sim::velocityFileIn(context.simulatedGauge));
            device = gauge;
        }
        clock_ = simulatedGaugeClock();
        simulated_ =
            std::make_unique<UsbPort>(sim::plugInAlone(std::move(device), *clock_), *clock_);
        // main has checked the fault name.
        if (const auto fault = sim::parseGaugeFault(context.gaugeFault, context.bootMode)) {
            sim::applyGaugeFault(*fault, gauge.get(), upgradeGauge.get());
        }
    }

    UsbPort& port() { return simulated_ ? *simulated_ : currentUsbPort(); }

  private:
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<UsbPort> simulated_;
};

// The connection's port, or one over the same functions traced to stderr (--trace) and to the
// debug log ([LOG] Debug=1).
class TracedConnection {
  public:
    explicit TracedConnection(const CliContext& context) : connection_(context) {
        UsbTraceSink log = context.app.debugLog()
                               ? appendingTraceSink(debugLogPathIn(context.app.settingsFolder()))
                               : UsbTraceSink();
        if (!context.trace && !log) {
            return;
        }
        const bool toStderr = context.trace;
        UsbPort& inner = connection_.port();
        traced_ = std::make_unique<UsbPort>(tracedUsbApi(inner.api(), inner.clock(),
                                                         [toStderr, log](const std::string& line) {
                                                             if (toStderr) {
                                                                 std::cerr << line << '\n';
                                                             }
                                                             if (log) {
                                                                 log(line);
                                                             }
                                                         }),
                                            inner.clock());
    }

    UsbPort& port() { return traced_ ? *traced_ : connection_.port(); }

  private:
    GaugeConnection connection_;
    std::unique_ptr<UsbPort> traced_;
};

using GaugeRun = int (*)(CliContext&, GaugeLink&, const std::vector<std::string>&);

struct GaugeSubcommand {
    const char* name;
    GaugeRun run;
};

int listDirectory(CliContext&, GaugeLink& link, const std::vector<std::string>& args) {
    if (!args.empty()) {
        return kExitUsage;
    }
    const auto entries = refreshGaugeFileList(link);
    if (!entries) {
        return exitStatusOf(link.outcome());
    }
    for (const FileListEntry& entry : *entries) {
        std::cout << visibleGaugeText(entry.name) << ',' << visibleGaugeText(entry.type) << ','
                  << visibleGaugeText(entry.modified) << '\n';
    }
    return kExitOk;
}

int readFiles(CliContext& context, GaugeLink& link, const std::vector<std::string>& names) {
    if (names.empty()) {
        return kExitUsage;
    }
    readFilesFromGauge(link, names, context.folder, {});
    return exitStatusOf(link.outcome());
}

int writeFiles(CliContext& context, GaugeLink& link, const std::vector<std::string>& names) {
    if (names.empty()) {
        return kExitUsage;
    }
    const PalimarApp& app = context.app;
    // The data log is listed first, so that a file the gauge holds is replaced only after the
    // question (--yes or --no, no by default).
    const GaugeWriteSetup setup{
        context.folder, app.debugLog() ? debugLogPathIn(app.settingsFolder()) : "", std::nullopt};
    writeFilesToGauge(link, names, setup);
    return exitStatusOf(link.outcome());
}

// Every gauge subcommand; the gauge utilities add theirs here.
const std::vector<GaugeSubcommand>& gaugeSubcommands() {
    static const std::vector<GaugeSubcommand> subcommands = {
        {"dir", listDirectory},    {"read", readFiles}, {"write", writeFiles},
        {"velocity", runVelocity}, {"send", runSend},   {"upgrade", runUpgrade},
    };
    return subcommands;
}

int runGauge(CliContext& context, const std::vector<std::string>& args) {
    if (args.empty()) {
        return kExitUsage;
    }
    for (const GaugeSubcommand& subcommand : gaugeSubcommands()) {
        if (args[0] == subcommand.name) {
            TracedConnection connection(context);
            const InterruptGuard interrupts;
            int status = kExitUsage;
            {
                GaugeLink link(context.voice, context.app.texts(), connection.port());
                status = subcommand.run(context, link, {args.begin() + 1, args.end()});
            }
            // The gauge has been released by then.
            return operationInterrupted() ? kExitInterrupted : status;
        }
    }
    return kExitUsage;
}

}  // namespace

std::vector<CliCommand> gaugeCommands() {
    return {
        {"gauge",
         "dir | read NAME... | write NAME... | velocity get [U1 U2] | velocity set V1 U1 V2 U2 | "
         "send TEXT | upgrade FILE.bin",
         runGauge}};
}

}  // namespace korvel::cli
