#pragma once
// The value rule for a start or end box of a layout: a number 1 to 5000, or a letter code.

#include <string_view>

namespace korvel {

enum class LocationKind { Invalid, Number, Letters };

struct LocationValue {
    LocationKind kind = LocationKind::Invalid;
    long value = 0;

    bool valid() const { return kind != LocationKind::Invalid; }
};

inline constexpr long kLargestLocation = 5000;

// Empty: invalid. Only digits, '.' and blanks: a number, its leading decimal value (1.5 is 1).
// One or two characters beginning with a letter: (c1 - 64) * 26 + (c2 - 64), or c - 64 for one
// (the second character may be any character, so A1 is 11). Valid within 1 to 5000. A text
// holding a comma or a line break is never valid: it would break the header line it is
// written into.
LocationValue parseLocationValue(std::string_view text);

}  // namespace korvel
