#pragma once
// The application object: the configuration read at start-up, where the settings and the PC
// data folder live, and the text table. One per process; fixed after start-up.

#include <string>

#include "app/platform.h"
#include "app/text_table.h"

namespace korvel {

struct AppConfig {
    std::string gaugeName = "KQ-77";
    std::string appTitle = "Korvel";
    std::string logoPath;  // working directory + separator + LogoBitmapFileName, or empty
    std::string gaugeModels[4] = {"KQ-77", "", "", ""};
    int debug = 0;
    int showFileTransferTabOnly = 0;
    int userVelocity = 0;
    int dataLogger = 1;
    int inspectionHistory = 1;
};

class PalimarApp {
  public:
    // Start-up: the working directory, AppConfig.ini, the settings location, the PC data
    // folder and its folders, the text table.
    void startup(const std::string& workingDirectory, const SystemFolders& system);
    // The same, with the process's current directory and the system's folders.
    void startup() { startup(currentDirectory(), systemFolders()); }

    const AppConfig& config() const { return config_; }
    const std::string& gaugeName() const { return config_.gaugeName; }
    const std::string& appTitle() const { return config_.appTitle; }
    const std::string& logoPath() const { return config_.logoPath; }
    const std::string& gaugeModel(int index) const { return config_.gaugeModels[index]; }
    bool debugLog() const { return config_.debug == 1; }
    // The page flags as the option sheet tests them.
    bool transferOnly() const { return config_.showFileTransferTabOnly != 0; }
    bool userVelocityPage() const { return config_.userVelocity == 1; }
    bool dataLoggerPages() const { return config_.dataLogger == 1; }
    bool inspectionHistoryPage() const { return config_.inspectionHistory == 1; }

    const std::string& workingDirectory() const { return workingDirectory_; }
    bool legacySettingsLayout() const { return legacyLayout_; }
    const std::string& settingsFolder() const { return settingsFolder_; }
    const std::string& settingsFile() const { return settingsFile_; }
    const std::string& pcDataFolder() const { return pcDataFolder_; }
    std::string appConfigFile() const { return joinPath(workingDirectory_, "AppConfig.ini"); }
    std::string languageFile() const { return joinPath(workingDirectory_, "Language.ini"); }

    const TextTable& texts() const { return texts_; }

    // Settings writers: [Language] Default and [CONFIG] HostDirPath of Settings.ini.
    bool writeLanguage(const std::string& code) const;
    bool writePcDataFolder(const std::string& folder) const;

  private:
    void readAppConfig();
    void locateSettings(const SystemFolders& system);
    void fixPcDataFolder(const SystemFolders& system);

    AppConfig config_;
    std::string workingDirectory_;
    bool legacyLayout_ = false;
    std::string settingsFolder_;
    std::string settingsFile_;
    std::string pcDataFolder_;
    TextTable texts_;
};

// "<title> - Version 3.7.3" in the chosen language: the title of the main window, of the sheet
// and of the reports.
std::string programWindowTitle(const PalimarApp& app);

// Replaces every occurrence of the placeholder by the folder.
std::string expandPlaceholder(std::string text, const std::string& placeholder,
                              const std::string& folder);

}  // namespace korvel
