#include "gauge/debug_log.h"

namespace korvel {

bool DebugLog::create(const std::string& path) {
    close();
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
}

void DebugLog::line(std::string_view text) {
    if (!file_) {
        return;
    }
    std::fputc('\n', file_);
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fflush(file_);
}

void DebugLog::close() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

}  // namespace korvel
