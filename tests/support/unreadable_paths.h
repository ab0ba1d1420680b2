#pragma once
// Things at a path that every read fails on: a folder, a link to a file whose reads fail
// with EIO (the reading process's own memory at address 0), and, for a process without root
// rights, a file without read permission.

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace korvel::test {

struct UnreadableKind {
    const char* name;
    void (*make)(const std::string& path);
};

inline std::vector<UnreadableKind> unreadableKinds() {
    std::vector<UnreadableKind> kinds = {
        {"folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
    };
#ifndef _WIN32
    // Windows has neither a file whose reads fail nor permissions that bind an administrator.
    kinds.push_back({"read error", [](const std::string& path) {
                         std::filesystem::create_symlink("/proc/self/mem", path);
                     }});
    if (geteuid() != 0) {
        kinds.push_back({"no read permission", [](const std::string& path) {
                             std::ofstream(path) << "[CONFIG]\r\nHostDirPath=/kept\r\n";
                             chmod(path.c_str(), 0);
                         }});
    }
#endif
    return kinds;
}

}  // namespace korvel::test
