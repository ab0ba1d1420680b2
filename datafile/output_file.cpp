#include "datafile/output_file.h"

#include "app/safe_file.h"
#include "app/save_message.h"

namespace korvel {

std::string withExtension(const std::string& path, std::string_view extension) {
    const auto separator = path.find_last_of("/\\");
    const auto nameStart = separator == std::string::npos ? 0 : separator + 1;
    const auto dot = path.rfind('.');
    const auto stemEnd = dot == std::string::npos || dot < nameStart ? path.size() : dot;
    return path.substr(0, stemEnd) + std::string(extension);
}

bool saveOrReport(const std::string& path, std::string_view bytes, UserVoice& voice,
                  const TextTable& texts) {
    std::string reason;
    if (writeFileSafely(path, bytes, &reason)) {
        return true;
    }
    reportSaveFailure(voice, texts, path, reason);
    return false;
}

}  // namespace korvel
