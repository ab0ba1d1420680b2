#include "cli/gauge_utility_commands.h"

#include <iostream>

#include "app/text_format.h"
#include "cli/exit_status.h"
#include "gauge/firmware_upgrade.h"
#include "gauge/gauge_reply.h"
#include "gauge/terminal_session.h"
#include "gauge/user_velocity.h"
#include "gauge/velocity_check.h"

namespace korvel::cli {

namespace {

int velocityGet(GaugeLink& link, const std::vector<std::string>& units) {
    VelocitySettings settings;
    for (std::size_t k = 0; k < settings.size(); ++k) {
        settings[k].unit = units.empty() ? kVelocityUnits[0] : units[k];
    }
    const int answered = UserVelocityExchange(link).getVelocities(settings);
    if (answered < 0) {
        return exitStatusOf(link.outcome());
    }
    // Only the velocities the gauge gave: the others have been said to have failed.
    for (std::size_t k = 0; k < settings.size(); ++k) {
        if (!settings[k].value.empty()) {
            std::cout << kVelocityNames[k] << ' ' << visibleGaugeText(settings[k].value) << ' '
                      << visibleGaugeText(settings[k].unit) << '\n';
        }
    }
    return exitStatusOf(link.outcome());
}

int velocitySet(GaugeLink& link, const std::vector<std::string>& values) {
    VelocitySettings settings = {{{values[0], values[1]}, {values[2], values[3]}}};
    // Checked as the User Velocity page checks, before anything is sent.
    if (const auto refused = refusedVelocity(settings, link.texts())) {
        link.voice().show(MessageKind::Warning, refused->warning);
        return kExitFailed;
    }
    UserVelocityExchange(link).setVelocities(settings);
    return exitStatusOf(link.outcome());
}

// How a Terminal exchange ended, after saying why it failed: the reply went on without end,
// the link was lost, nothing came, or the gauge refused the command.
Outcome sendOutcome(CliContext& context, const std::string& command, ReaderEnd end,
                    const std::string& text) {
    UserVoice& voice = context.voice;
    const TextTable& texts = context.app.texts();
    const std::string answer = gaugeAnswer(text);
    if (end == ReaderEnd::TooLong) {
        showReplyTooLong(voice, texts, command);
        return Outcome::GaugeRefused;
    }
    if (end == ReaderEnd::LinkLost || (end != ReaderEnd::Stopped && text.empty())) {
        const char* key =
            end == ReaderEnd::LinkLost ? "IDS_ERR_GAGE_REPLYLOST" : "IDS_ERR_GAGE_NOANSWER";
        voice.show(MessageKind::Error, formatWithArgument(texts.message(key), command, 1));
        return Outcome::LinkLost;
    }
    if (isRefusal(answer)) {
        showRefusal(voice, texts, command, answer);
        return Outcome::GaugeRefused;
    }
    return voice.cancelRequested() ? Outcome::Cancelled : Outcome::Done;
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
        return exitStatusOf(session.writeOutcome());
    }
    CollectingSink sink;
    session.readToEnd(sink);
    const std::string text = visibleGaugeText(sink.text);
    std::cout << text;
    if (!text.empty() && text.back() != '\n') {
        std::cout << '\n';
    }
    return exitStatusOf(sendOutcome(context, command, session.lastEnd(), sink.text));
}

int runUpgrade(CliContext& context, GaugeLink& link, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return kExitUsage;
    }
    FirmwareUpgrade(link.usb()).run(context.app.workingDirectory(), args[0]);
    return exitStatusOf(link.outcome());
}

}  // namespace korvel::cli
