#pragma once
// How the simulated gauge judges the names in its data log commands, written from the gauge's
// side and kept apart from the program's own rules so that the two check each other.

#include <string_view>

namespace korvel::sim {

// A name the data log accepts in a read or write command: one plain file name, not empty, not
// "." or "..", with no folder separator or drive colon.
bool isDataLogName(std::string_view name);
// The gauge sends a file byte for byte, without the text trailer, when the first ".BIN" or
// the first ".BMP" in its name comes after its first character.
bool sentAsBytes(std::string_view name);

}  // namespace korvel::sim
