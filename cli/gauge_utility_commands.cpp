#include "cli/gauge_utility_commands.h"

#include <iostream>

#include "gauge/firmware_upgrade.h"
#include "gauge/terminal_session.h"
#include "gauge/user_velocity.h"

namespace korvel::cli {

namespace {

// Keeps the reader's text; the reader runs on the calling thread here.
class CollectingSink : public TerminalReaderSink {
  public:
    void textReceived(std::string_view added) override { text += added; }
    void readerEnded(bool) override {}
    std::string text;
};

int velocityGet(GaugeLink& link, const std::vector<std::string>& units) {
    VelocitySettings settings;
    for (std::size_t k = 0; k < settings.size(); ++k) {
        settings[k].unit = units.empty() ? kVelocityUnits[0] : units[k];
    }
    const int answered = UserVelocityExchange(link).getVelocities(settings);
    if (answered < 0) {
        return kExitFailed;
    }
    for (std::size_t k = 0; k < settings.size(); ++k) {
        std::cout << kVelocityNames[k] << ' ' << settings[k].value << ' ' << settings[k].unit
                  << '\n';
    }
    return answered == static_cast<int>(settings.size()) ? kExitOk : kExitFailed;
}

int velocitySet(GaugeLink& link, const std::vector<std::string>& values) {
    VelocitySettings settings = {{{values[0], values[1]}, {values[2], values[3]}}};
    const int sent = UserVelocityExchange(link).setVelocities(settings);
    return sent == static_cast<int>(settings.size()) ? kExitOk : kExitFailed;
}

}  // namespace

int runVelocity(CliContext&, GaugeLink& link, const std::vector<std::string>& args) {
    const std::vector<std::string> rest(args.empty() ? args.end() : args.begin() + 1, args.end());
    if (!args.empty() && args[0] == "get" && (rest.empty() || rest.size() == 2)) {
        return velocityGet(link, rest);
    }
    if (!args.empty() && args[0] == "set" && rest.size() == 4) {
        return velocitySet(link, rest);
    }
    return kExitUsage;
}

int runSend(CliContext& context, GaugeLink& link, const std::vector<std::string>& args) {
    if (args.empty()) {
        return kExitUsage;
    }
    std::string command = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        command += ' ' + args[i];
    }
    TerminalSession session(context.voice, context.app.texts(), link.usb().port());
    if (session.writeCommand(command) < 1) {
        return kExitFailed;
    }
    CollectingSink sink;
    session.readToEnd(sink);
    std::cout << sink.text;
    if (!sink.text.empty() && sink.text.back() != '\n') {
        std::cout << '\n';
    }
    return kExitOk;
}

int runUpgrade(CliContext& context, GaugeLink& link, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return kExitUsage;
    }
    const int result = FirmwareUpgrade(link.usb()).run(context.app.workingDirectory(), args[0]);
    return result == 0 ? kExitOk : kExitFailed;
}

}  // namespace korvel::cli
