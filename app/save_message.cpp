#include "app/save_message.h"

namespace korvel {

void reportSaveFailure(UserVoice& voice, const TextTable& texts, const std::string& path) {
    voice.show(MessageKind::Error, texts.message("IDS_ERR_FILESAVE") + " - " + path);
}

}  // namespace korvel
