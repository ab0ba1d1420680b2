// The platform layer on Linux and other POSIX systems: the XDG folders stand in for the
// Windows special folders, and there is no Windows version to ask for.

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/platform.h"

namespace korvel {

namespace fs = std::filesystem;

std::string currentDirectory() {
    std::error_code ec;
    return fs::current_path(ec).string();
}

bool setCurrentDirectory(const std::string& path) {
    return !path.empty() && ::chdir(path.c_str()) == 0;
}

std::optional<std::time_t> fileModifiedTime(const std::string& path) {
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return status.st_mtime;
}

std::tm localTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string withoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) {
        path.pop_back();
    }
    return path;
}

// XDG_DOCUMENTS_DIR="$HOME/Dokumente" in the user-dirs.dirs file of the configuration folder.
std::string documentsFromUserDirs(const std::string& configHome, const std::string& home) {
    std::ifstream in(configHome + "/user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) != 0) {
            continue;
        }
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        if (value.rfind("$HOME", 0) == 0) {
            value = home + value.substr(5);
        }
        return value;
    }
    return {};
}

}  // namespace

std::string userName() {
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name && *entry->pw_name) {
        return entry->pw_name;
    }
    const std::string fromEnvironment = environment("USER");
    return fromEnvironment.empty() ? "unknown" : fromEnvironment;
}

SystemFolders systemFolders() {
    SystemFolders folders;
    const std::string home = environment("HOME");
    std::string config = environment("XDG_CONFIG_HOME");
    if (config.empty()) {
        config = home + "/.config";
    }
    std::string documents = environment("XDG_DOCUMENTS_DIR");
    if (documents.empty()) {
        documents = documentsFromUserDirs(config, home);
    }
    if (documents.empty()) {
        documents = home + "/Documents";
    }
    folders.documents = withoutTrailingSeparator(documents);
    folders.settings = withoutTrailingSeparator(config);
    return folders;
}

}  // namespace korvel
