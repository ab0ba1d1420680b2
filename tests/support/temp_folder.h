#pragma once
// A new, empty folder under the system's temporary folder, unique to the caller, so that test
// cases running in parallel (and earlier runs' leftovers) never meet. Creating a folder fails
// when the name is taken, so a random name tried until one is free is as safe as mkdtemp, and
// works on Windows as well.

#include <filesystem>
#include <random>
#include <string>

namespace korvel::test {

inline std::filesystem::path uniqueTempFolder(const std::string& prefix) {
    std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto path =
            std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(random()));
        std::error_code ec;
        if (std::filesystem::create_directory(path, ec)) {
            return path;
        }
    }
    return {};
}

}  // namespace korvel::test
