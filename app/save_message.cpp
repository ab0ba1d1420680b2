#include "app/save_message.h"

#include "app/platform.h"

namespace korvel {

bool mayOverwrite(const std::string& path, UserVoice& voice, const TextTable& texts,
                  const std::string& note) {
    if (fileSize(path) <= 0) {
        return true;
    }
    const auto separator = path.find_last_of("/\\");
    const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    return voice.ask(overwriteQuestion(texts, name) + (note.empty() ? "" : "\n\n" + note));
}

std::string overwriteQuestion(const TextTable& texts, const std::string& name) {
    return texts.message("IDS_MSG_FILEEXISTS") + "\n\n" + name;
}

void reportSaveFailure(UserVoice& voice, const TextTable& texts, const std::string& path,
                       const std::string& reason) {
    voice.show(MessageKind::Error,
               withReason(texts.message("IDS_ERR_FILESAVE") + " - " + path, reason));
}

std::string withReason(const std::string& text, const std::string& reason) {
    return reason.empty() ? text : text + "\n\n" + reason;
}

}  // namespace korvel
