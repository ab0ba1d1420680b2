#include "app/platform.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace korvel {

namespace fs = std::filesystem;

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder + kPathSeparator + name;
}

std::string baseName(const std::string& path) {
    const auto pos = path.find_last_of("/\\");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string currentDirectory() {
    std::error_code ec;
    return fs::current_path(ec).string();
}

bool setCurrentDirectory(const std::string& path) {
    std::error_code ec;
    fs::current_path(path, ec);
    return !ec;
}

bool isDirectory(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec);
}

std::int64_t fileSize(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec)) {
        return -1;
    }
    const auto size = fs::file_size(path, ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
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
