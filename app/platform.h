#pragma once
// What the program asks of the operating system: the path separator, the current directory,
// the user's documents and settings folders, the system's major version, and file times. One
// source file per system implements what differs (platform_posix.cpp, platform_windows.cpp).

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace korvel {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// "/" separates folder names on every system, and the backslash as well on Windows.
constexpr bool isPathSeparator(char c) {
    return c == '/' || c == kPathSeparator;
}

// folder + separator + name, exactly as given (no normalisation).
std::string joinPath(const std::string& folder, const std::string& name);
// The last component of a path.
std::string baseName(const std::string& path);

std::string currentDirectory();
bool setCurrentDirectory(const std::string& path);

bool isDirectory(const std::string& path);
bool fileExists(const std::string& path);
// Size in bytes, or -1 when there is no such file.
std::int64_t fileSize(const std::string& path);
// When the file was last written, or nothing when it cannot be asked.
std::optional<std::time_t> fileModifiedTime(const std::string& path);
// The time broken down in the local time zone.
std::tm localTime(std::time_t time);

// The operating system's name of the user running the program (recorded in the inspection
// history's audit log); "unknown" when the system gives none.
std::string userName();

// The folders that stand in for "<My Documents>" and "<My Settings>", and the system version.
struct SystemFolders {
    std::string documents;  // the user's documents folder, without a trailing separator
    std::string settings;   // the user's configuration folder, without a trailing separator
    // The operating system's major version when the system has such a query (Windows); the
    // legacy settings layout is used only when it is known and below 6.
    std::optional<int> osMajorVersion;
};

// On Windows: the shell's shared documents folder and the user's local application-data folder,
// and the system's major version. Elsewhere, from the environment: XDG_DOCUMENTS_DIR (or the
// user-dirs.dirs file, or ~/Documents) and XDG_CONFIG_HOME (or ~/.config), and no version.
SystemFolders systemFolders();

}  // namespace korvel
