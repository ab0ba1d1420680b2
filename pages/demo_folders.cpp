#include "pages/demo_folders.h"

#include <cstdlib>
#include <set>

#include "app/folder_chain.h"
#include "app/safe_file.h"
#include "app/text_table.h"
#include "history/history_messages.h"
#include "history/history_open.h"
#include "history/inspection_history.h"
#include "tools/sample_files.h"

namespace korvel {

namespace {

// The files the demo's PC data folder starts with: a data file to view and export, a report
// to import, three grid files to merge, and a grid survey with its earlier survey to map and
// compare, and a third survey of that grid for the inspection history. The gauge gets every
// sample data file.
const std::set<std::string> kPcSamples = {"PIPE-A.CSV",    "ELBOW-C.DAT",  "MERGE-1.CSV",
                                          "MERGE-2.CSV",   "MERGE-3.CSV",  "TANK-N.CSV",
                                          "TANK-N-24.CSV", "TANK-N-22.CSV"};

bool isGaugeSample(const std::string& name) {
    return name.rfind("MERGE-", 0) != 0 && name.size() > 4 &&
           name.compare(name.size() - 4, 4, ".CSV") == 0;
}

bool copyFile(const std::string& from, const std::string& to, std::string& error) {
    const auto bytes = readFileBytes(from);
    if (!bytes) {
        error = "cannot read " + from;
        return false;
    }
    return writeFileSafely(to, *bytes, &error);
}

bool seed(const std::string& folder, bool (*wanted)(const std::string&), std::string& error) {
    if (isDirectory(folder)) {
        return true;
    }
    makeFolderChain(folder);
    for (const auto& sample : samples::sampleSet()) {
        if (wanted(sample.name) &&
            !writeFileSafely(joinPath(folder, sample.name), sample.bytes, &error)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string DemoFolders::pcDataFolder() const {
    return joinPath(joinPath(system.documents, "Korvel"), "data");
}

DemoFolders demoFolders(const std::string& root) {
    DemoFolders folders;
    folders.root = root;
    folders.work = joinPath(root, "work");
    folders.gaugeLog = joinPath(root, "gauge-datalog");
    folders.system.documents = joinPath(root, "Documents");
    folders.system.settings = joinPath(root, "settings");
    return folders;
}

bool prepareDemo(const DemoFolders& folders, const std::string& resources, std::string& error) {
    makeFolderChain(folders.work);
    for (const char* name : {"AppConfig.ini", "Language.ini", "logo.bmp"}) {
        if (!copyFile(joinPath(resources, name), joinPath(folders.work, name), error)) {
            return false;
        }
    }
    // The shipped demo images: the bootloader in the working directory, a firmware image in
    // the PC data folder.
    const std::string firmware = joinPath(resources, "firmware");
    const std::string bootloader = joinPath(folders.work, "quenboot.bin");
    if (!fileExists(bootloader) &&
        !copyFile(joinPath(firmware, "quenboot.bin"), bootloader, error)) {
        return false;
    }
    const bool pcFolderIsNew = !isDirectory(folders.pcDataFolder());
    return seed(folders.gaugeLog, isGaugeSample, error) &&
           seed(
               folders.pcDataFolder(),
               [](const std::string& name) { return kPcSamples.count(name) > 0; }, error) &&
           (!pcFolderIsNew || copyFile(joinPath(firmware, "KQ77-demo-firmware.bin"),
                                       joinPath(folders.pcDataFolder(), "KQ77-DEMO.bin"), error));
}

bool seedDemoHistory(const std::string& settingsFolder, const std::string& settingsFile,
                     std::string& error) {
    using namespace history;
    const std::string where = defaultHistoryLocation(settingsFolder, settingsFile);
    if (isServerConnection(where) || fileExists(where)) {
        return true;
    }
    const TextTable builtin;
    const auto failed = [&](const HistoryError& failure) {
        error = historyMessage(builtin, failure, HistoryFront::Window);
        return false;
    };
    auto storage = openHistoryStorage(where);
    if (!storage) {
        return failed(storage.error);
    }
    InspectionHistory history(std::move(*storage));
    if (const auto ready = history.initialise(); !ready) {
        return failed(ready.error);
    }
    const AssetChange tank{"TANK N", 0.1, std::string(kInches), InspectionCode::Api653, {}};
    if (const auto made = history.setAsset(tank); !made) {
        return failed(made.error);
    }
    for (const auto& sample : samples::sampleSet()) {
        if (sample.name.rfind("TANK-N", 0) == 0) {
            if (const auto added = history.addSurvey(tank.name, sample.name, sample.bytes);
                !added) {
                return failed(added.error);
            }
        }
    }
    return true;
}

std::string defaultDemoRoot() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && *data) {
        return joinPath(data, "korvel-demo");
    }
    const char* home = std::getenv("HOME");
    return joinPath(joinPath(joinPath(home ? home : ".", ".local"), "share"), "korvel-demo");
}

}  // namespace korvel
