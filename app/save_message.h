#pragma once
// What every writer says when a file cannot be saved.

#include <string>

#include "app/text_table.h"
#include "app/user_voice.h"

namespace korvel {

// "Error saving file - PATH" as an error box.
void reportSaveFailure(UserVoice& voice, const TextTable& texts, const std::string& path);

}  // namespace korvel
