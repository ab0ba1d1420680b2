#pragma once
// The demo's own installation, apart from the user's real settings and data: a working
// directory with the shipped AppConfig.ini and Language.ini, documents and settings folders
// of its own, a PC data folder with a few files, and the simulated gauge's data log seeded
// with the sample files.

#include <string>

#include "app/platform.h"

namespace korvel {

struct DemoFolders {
    std::string root;
    std::string work;      // the working directory: AppConfig.ini, Language.ini
    std::string gaugeLog;  // the simulated gauge's data log
    SystemFolders system;  // "<My Documents>" and "<My Settings>" inside the root
    std::string pcDataFolder() const;
};

// The demo's folders under root.
DemoFolders demoFolders(const std::string& root);

// Copies the shipped ini files and logo from resources into the working directory (every
// start, so that the demo runs the shipped texts), puts a stand-in bootloader image there, and
// seeds the data log and the PC data folder (with a stand-in firmware image) when they do not
// exist yet. False, with the reason, when something cannot be written.
bool prepareDemo(const DemoFolders& folders, const std::string& resources, std::string& error);

// Makes the demo's inspection history on its first start: the tank of the PC data folder's
// three surveys (TANK N, 0.100 in required, the storage tank code), so that the history page
// shows a history at once. False, with the reason, when the history cannot be made.
bool seedDemoHistory(const std::string& settingsFolder, const std::string& settingsFile,
                     std::string& error);

// The default root: "korvel-demo" in the user's data folder ($XDG_DATA_HOME or
// ~/.local/share).
std::string defaultDemoRoot();

}  // namespace korvel
