#include "sim/data_log.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "app/platform.h"
#include "app/safe_file.h"

namespace korvel::sim {

namespace fs = std::filesystem;

namespace {

std::string extensionOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot + 1);
}

std::string stemOf(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string twoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) +
           static_cast<char>('0' + value % 10);
}

// "MM/DD/YYYY HH:MM AM" of the file's last change, in local time.
std::string modifiedText(const fs::path& path) {
    const std::tm local = localTime(fileModifiedTime(path.string()).value_or(0));
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    return twoDigits(local.tm_mon + 1) + "/" + twoDigits(local.tm_mday) + "/" +
           std::to_string(local.tm_year + 1900) + " " + twoDigits(hour12) + ":" +
           twoDigits(local.tm_min) + (local.tm_hour < 12 ? " AM" : " PM");
}

}  // namespace

std::vector<std::string> DataLog::names() const {
    std::vector<std::string> result;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        if (entry.is_regular_file(ec)) {
            result.push_back(entry.path().filename().string());
        }
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::string DataLog::listing() const {
    std::string text;
    for (const std::string& name : names()) {
        text += name + "," + extensionOf(name) + "," + modifiedText(pathOf(name)) + ",\r\n";
    }
    return text;
}

std::optional<std::string> DataLog::findByBaseName(std::string_view baseName) const {
    std::optional<std::string> found;
    for (const std::string& name : names()) {
        if (stemOf(name) != baseName) {
            continue;
        }
        if (extensionOf(name) == "CSV") {
            return name;
        }
        if (!found) {
            found = name;
        }
    }
    return found;
}

std::optional<std::string> DataLog::read(const std::string& name) const {
    return readFileBytes(pathOf(name));
}

std::string DataLog::pathOf(const std::string& name) const {
    return joinPath(folder_, name);
}

bool FileReceiver::begin(const std::string& path) {
    finish();
    file_ = std::fopen(path.c_str(), "wb");
    pendingCarriageReturn_ = false;
    return file_ != nullptr;
}

void FileReceiver::add(std::string_view piece) {
    if (!file_) {
        return;
    }
    std::string stored;
    if (pendingCarriageReturn_ && (piece.empty() || piece.front() != '\n')) {
        stored += '\r';
    }
    pendingCarriageReturn_ = false;
    for (std::size_t i = 0; i < piece.size(); ++i) {
        if (piece[i] != '\r') {
            stored += piece[i];
        } else if (i + 1 == piece.size()) {
            pendingCarriageReturn_ = true;
        } else if (piece[i + 1] != '\n') {
            stored += '\r';
        }
    }
    std::fwrite(stored.data(), 1, stored.size(), file_);
    std::fflush(file_);
}

void FileReceiver::finish() {
    if (!file_) {
        return;
    }
    if (pendingCarriageReturn_) {
        std::fputc('\r', file_);
    }
    std::fclose(file_);
    file_ = nullptr;
    pendingCarriageReturn_ = false;
}

}  // namespace korvel::sim
