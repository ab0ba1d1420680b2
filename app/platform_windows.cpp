// The platform layer on Windows: the current directory, the shell's special folders, the
// system's real version (from ntdll, which a missing manifest cannot make lie) and file times,
// all through the ANSI functions, as the program's texts are single bytes.

#include <cstdlib>

#include <shlobj.h>
#include <windows.h>

#include "app/platform.h"

namespace korvel {

namespace {

std::string withoutTrailingSeparator(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) {
        path.pop_back();
    }
    return path;
}

std::string specialFolder(int id) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return withoutTrailingSeparator(path);
}

// RtlGetVersion reports the version the system really has.
std::optional<int> systemMajorVersion() {
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const auto getVersion = ntdll ? reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(
                                        GetProcAddress(ntdll, "RtlGetVersion")))
                                  : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!getVersion || getVersion(&info) != 0) {
        return std::nullopt;
    }
    return static_cast<int>(info.dwMajorVersion);
}

}  // namespace

std::string currentDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

bool setCurrentDirectory(const std::string& path) {
    return !path.empty() && SetCurrentDirectoryA(path.c_str()) != 0;
}

std::optional<std::time_t> fileModifiedTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return std::nullopt;
    }
    // 100-nanosecond ticks since 1601-01-01; the Unix epoch is 11644473600 s later.
    const ULONGLONG ticks = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                            data.ftLastWriteTime.dwLowDateTime;
    return static_cast<std::time_t>(ticks / 10000000ULL) - 11644473600LL;
}

std::tm localTime(std::time_t time) {
    std::tm local{};
    localtime_s(&local, &time);
    return local;
}

std::string userName() {
    const char* name = std::getenv("USERNAME");
    return name && *name ? std::string(name) : std::string("unknown");
}

SystemFolders systemFolders() {
    SystemFolders folders;
    folders.documents = specialFolder(CSIDL_COMMON_DOCUMENTS);
    folders.settings = specialFolder(CSIDL_LOCAL_APPDATA);
    folders.osMajorVersion = systemMajorVersion();
    return folders;
}

}  // namespace korvel
