#pragma once
// Location coordinates written with letters: A = 1 ... Z = 26, AA = 27 ... ZZ = 702.

#include <string>
#include <string_view>

namespace korvel {

constexpr int kLargestLetterCode = 702;

// The value of a code of one or two upper-case letters, or 0 when the text is not one.
int letterCodeValue(std::string_view code);

// The code of a value 1 to 702, or an empty text outside that range.
std::string letterCodeText(int value);

}  // namespace korvel
