// config, texts, check-name.

#include <iostream>
#include <sstream>

#include "app/name_check.h"
#include "cli/cli_context.h"

namespace korvel::cli {

namespace {

std::string escapeLineBreaks(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return out;
}

int printConfig(CliContext& context, const std::vector<std::string>& args) {
    if (!args.empty()) {
        return kExitUsage;
    }
    const PalimarApp& app = context.app;
    const AppConfig& config = app.config();
    std::ostringstream languages;
    const std::vector<std::string>& codes = app.texts().languageCodes();
    for (std::size_t i = 0; i < codes.size(); ++i) {
        languages << (i == 0 ? "" : ", ") << codes[i] << '=' << app.texts().languageNames()[i];
    }
    std::cout << "GageName: " << config.gaugeName << '\n'
              << "AppTitle: " << config.appTitle << '\n'
              << "LogoPath: " << config.logoPath << '\n';
    for (int i = 0; i < 4; ++i) {
        std::cout << "GageModel" << i + 1 << ": " << config.gaugeModels[i] << '\n';
    }
    std::cout << "Debug: " << config.debug << '\n'
              << "ShowFileTransferTabOnly: " << config.showFileTransferTabOnly << '\n'
              << "UserVelocity: " << config.userVelocity << '\n'
              << "DataLogger: " << config.dataLogger << '\n'
              << "WorkingDirectory: " << app.workingDirectory() << '\n'
              << "LegacySettingsLayout: " << (app.legacySettingsLayout() ? 1 : 0) << '\n'
              << "SettingsFolder: " << app.settingsFolder() << '\n'
              << "SettingsFile: " << app.settingsFile() << '\n'
              << "PCDataFolder: " << app.pcDataFolder() << '\n'
              << "Language: " << app.texts().languageCode() << '\n'
              << "Languages: " << languages.str() << '\n';
    return kExitOk;
}

int printTexts(CliContext& context, const std::vector<std::string>& args) {
    const TextTable& texts = context.app.texts();
    if (args.size() == 1 && (args[0] == "--missing" || args[0] == "--unknown")) {
        for (const auto& key : args[0] == "--missing" ? texts.missingKeys() : texts.unknownKeys()) {
            std::cout << key << '\n';
        }
        return kExitOk;
    }
    if (!args.empty()) {
        return kExitUsage;
    }
    for (const auto& [key, text] : texts.allCaptions()) {
        std::cout << key << '=' << escapeLineBreaks(text) << '\n';
    }
    for (const auto& [key, text] : texts.allMessages()) {
        std::cout << key << '=' << escapeLineBreaks(text) << '\n';
    }
    std::cout << "LinkFailure=" << escapeLineBreaks(texts.linkFailureMessage()) << '\n';
    return kExitOk;
}

int checkName(CliContext&, const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return kExitUsage;
    }
    return checkDataFileName(args[0], 16) == 1 ? kExitOk : kExitFailed;
}

}  // namespace

std::vector<CliCommand> appCommands() {
    return {
        {"config", "                 the effective configuration", printConfig},
        {"texts",
         "[--missing|--unknown] every caption and message with its text; --missing: the keys "
         "the language does not define; --unknown: its keys the program does not know",
         printTexts},
        {"check-name", "NAME          the data file name check (exit 0 valid, 1 invalid)",
         checkName},
    };
}

}  // namespace korvel::cli
