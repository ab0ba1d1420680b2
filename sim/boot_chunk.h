#pragma once
// How the boot loader checks a firmware chunk: the data, then the 16-bit sum of its bytes
// (taken as unsigned values), high byte first. The gauge's own check, independent of the
// program's upgrade code.

#include <string_view>

namespace korvel::sim {

// True when the chunk holds at least its two sum bytes and they match the data before them.
bool checksumMatches(std::string_view chunk);

}  // namespace korvel::sim
