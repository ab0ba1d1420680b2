#pragma once
// What every writer of a new file in the data folder does the same way: the name beside the
// source, the overwrite question, and the safe save with its error message.

#include <string>
#include <string_view>

#include "app/save_message.h"
#include "app/text_table.h"
#include "app/user_voice.h"

namespace korvel {

// The path with the extension of its last component replaced (or added): a folder name that
// holds a '.' is never cut.
std::string withExtension(const std::string& path, std::string_view extension);

// Saves the bytes safely; on failure shows "Error saving file - PATH" as an error.
bool saveOrReport(const std::string& path, std::string_view bytes, UserVoice& voice,
                  const TextTable& texts);

}  // namespace korvel
