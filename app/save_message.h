#pragma once
// What every writer of a file asks before it replaces one, and says when a save fails.

#include <string>

#include "app/safe_file.h"
#include "app/text_table.h"
#include "app/user_voice.h"

namespace korvel {

// True when the file may be written: it does not exist, it is empty, or the user says Yes to
// "File already exists. Do you want to overwrite?", a blank line and the file's name (and,
// when given, a blank line and the note).
bool mayOverwrite(const std::string& path, UserVoice& voice, const TextTable& texts,
                  const std::string& note = {});

// "File already exists. Do you want to overwrite?", a blank line and the name.
std::string overwriteQuestion(const TextTable& texts, const std::string& name);

// "Error saving file - PATH" as an error box, followed by a blank line and the system's reason
// ("No space left on device") when there is one.
void reportSaveFailure(UserVoice& voice, const TextTable& texts, const std::string& path,
                       const std::string& reason = lastSaveFailureReason());
// The text, then a blank line and the reason when there is one.
std::string withReason(const std::string& text, const std::string& reason);

}  // namespace korvel
