#pragma once
// A new, empty folder under the system's temporary folder, unique to the caller, so that test
// cases running in parallel (and earlier runs' leftovers) never meet.

#include <stdlib.h>

#include <filesystem>
#include <string>

namespace korvel::test {

inline std::filesystem::path uniqueTempFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

}  // namespace korvel::test
