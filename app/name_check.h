#pragma once

#include <cstddef>
#include <string>

namespace korvel {

// The longest stem of a data file name the gauge takes.
inline constexpr std::size_t kMaxDataFileStem = 16;

// The data file name rule: the stem before the first ".CSV" (".CSV" is appended when the name
// has none) holds only 0-9, A-Z, "+" and "-", and at most maxStem characters. An empty stem
// is valid. Returns 1 valid, 0 invalid.
int checkDataFileName(const std::string& name, std::size_t maxStem);

}  // namespace korvel
