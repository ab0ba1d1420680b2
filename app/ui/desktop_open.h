#pragma once
// Opening a file with the program the desktop associates with it.

#include <string>

namespace korvel {

class TextTable;
class UserVoice;

// Asks the desktop to open the file; says so in an error box when no program could be started.
bool openWithDesktop(const std::string& path, UserVoice& voice, const TextTable& texts);

}  // namespace korvel
