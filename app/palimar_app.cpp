#include "app/palimar_app.h"

#include "app/folder_chain.h"
#include "app/profile_file.h"
#include "app/text_format.h"

namespace korvel {

namespace {

constexpr std::size_t kWorkingDirectoryLimit = 255;
constexpr std::size_t kNameLimit = 49;
constexpr std::size_t kTitleLimit = 99;
constexpr std::size_t kPathLimit = 511;
constexpr std::size_t kSettingsPathLimit = 259;

const char* const kMyDocuments = "<My Documents>";
const char* const kMySettings = "<My Settings>";

std::string defaultSettingsDir() {
    return std::string(kMySettings) + kPathSeparator + "Korvel";
}
std::string defaultHostDir() {
    return std::string(kMyDocuments) + kPathSeparator + "Korvel" + kPathSeparator + "data";
}

// The stored folder still holds the default text, written with either separator.
bool holdsUnexpandedDefault(const std::string& folder) {
    return folder.find("<My Documents>\\Korvel\\data") != std::string::npos ||
           folder.find("<My Documents>/Korvel/data") != std::string::npos;
}

}  // namespace

std::string programWindowTitle(const PalimarApp& app) {
    return formatWithArgument(app.texts().message("IDS_PROGRAM_TITLE"), app.appTitle(), 1);
}

std::string expandPlaceholder(std::string text, const std::string& placeholder,
                              const std::string& folder) {
    for (auto pos = text.find(placeholder); pos != std::string::npos;
         pos = text.find(placeholder, pos + folder.size())) {
        text.replace(pos, placeholder.size(), folder);
    }
    return text;
}

void PalimarApp::startup(const std::string& workingDirectory, const SystemFolders& system) {
    workingDirectory_ = workingDirectory.substr(0, kWorkingDirectoryLimit);
    readAppConfig();
    legacyLayout_ = system.osMajorVersion.has_value() && *system.osMajorVersion < 6;
    locateSettings(system);
    pcDataFolder_ = readProfileString(settingsFile_, "CONFIG", "HostDirPath", "", kPathLimit);
    if (!legacyLayout_) {
        fixPcDataFolder(system);
    }
    texts_.load(languageFile(), settingsFile_, config_.gaugeName);
}

void PalimarApp::readAppConfig() {
    const ProfileFile ini = ProfileFile::load(appConfigFile());
    config_.gaugeName = ini.getString("CONFIG", "GageName", "KQ-77", kNameLimit);
    config_.appTitle = ini.getString("CONFIG", "AppTitle", "Korvel", kTitleLimit);
    const std::string logo = ini.getString("CONFIG", "LogoBitmapFileName", "", kTitleLimit);
    config_.logoPath = logo.empty() ? std::string() : joinPath(workingDirectory_, logo);
    const char* const modelKeys[4] = {"GageModel1", "GageModel2", "GageModel3", "GageModel4"};
    for (int i = 0; i < 4; ++i) {
        config_.gaugeModels[i] =
            ini.getString("CONFIG", modelKeys[i], i == 0 ? "KQ-77" : "", kNameLimit);
    }
    config_.debug = ini.getInt("LOG", "Debug", 0);
    config_.showFileTransferTabOnly = ini.getInt("CONFIG", "ShowFileTransferTabOnly", 0);
    config_.userVelocity = ini.getInt("CONFIG", "UserVelocity", 0);
    config_.dataLogger = ini.getInt("CONFIG", "DataLogger", 1);
    config_.inspectionHistory = ini.getInt("CONFIG", "InspectionHistory", 1);
}

void PalimarApp::locateSettings(const SystemFolders& system) {
    if (legacyLayout_) {
        settingsFolder_.clear();
        settingsFile_ = joinPath(workingDirectory_, "Settings.ini");
        return;
    }
    const std::string configured = readProfileString(
        appConfigFile(), "CONFIG", "DefaultSettingsDirPath", defaultSettingsDir(), kPathLimit);
    settingsFolder_ = expandPlaceholder(configured, kMySettings, system.settings);
    makeFolderChain(settingsFolder_);
    settingsFile_ = joinPath(settingsFolder_, "Settings.ini").substr(0, kSettingsPathLimit);
}

void PalimarApp::fixPcDataFolder(const SystemFolders& system) {
    std::string defaultFolder = readProfileString(appConfigFile(), "CONFIG", "DefaultHostDirPath",
                                                  defaultHostDir(), kPathLimit);
    if (!defaultFolder.empty()) {
        defaultFolder = expandPlaceholder(defaultFolder, kMyDocuments, system.documents);
    }
    makeFolderChain(defaultFolder);
    if (pcDataFolder_.empty() || holdsUnexpandedDefault(pcDataFolder_)) {
        pcDataFolder_ = defaultFolder;
    }
    makeFolderChain(pcDataFolder_);
}

bool PalimarApp::writeLanguage(const std::string& code) const {
    return writeProfileString(settingsFile_, "Language", "Default", code);
}

bool PalimarApp::writePcDataFolder(const std::string& folder) const {
    return writeProfileString(settingsFile_, "CONFIG", "HostDirPath", folder);
}

}  // namespace korvel
