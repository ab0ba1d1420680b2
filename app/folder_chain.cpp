#include "app/folder_chain.h"

#include <filesystem>
#include <vector>

#include "app/platform.h"

namespace korvel {

namespace {

// At each separator the text so far, and the whole path at its last character.
std::vector<std::string> prefixes(const std::string& path) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (isPathSeparator(path[i])) {
            result.push_back(path.substr(0, i));
        }
        if (i + 1 == path.size()) {
            result.push_back(path);
        }
    }
    return result;
}

}  // namespace

int makeFolderChain(const std::string& path) {
    if (path.empty()) {
        return 0;
    }
    if (isDirectory(path)) {
        return 1;
    }
    const std::vector<std::string> chain = prefixes(path);
    // The first prefix is the drive (on this platform the empty text before the root).
    for (std::size_t i = 1; i < chain.size(); ++i) {
        std::error_code ec;
        std::filesystem::create_directory(chain[i], ec);  // an existing or invalid name is ignored
    }
    return isDirectory(path) ? 1 : 0;
}

}  // namespace korvel
