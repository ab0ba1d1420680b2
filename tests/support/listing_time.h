#pragma once
// The shape of a time in the gauge's file listing, "%m/%d/%Y %I:%M %p" ("04/07/2026 09:15 AM"),
// for the tests that see a time they do not fix.

#include <cctype>
#include <string_view>

namespace korvel::test {

inline bool isListingTime(std::string_view text) {
    constexpr std::string_view shape = "00/00/0000 00:00 ?M";
    if (text.size() != shape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool fits = shape[i] == '0'   ? std::isdigit(static_cast<unsigned char>(text[i])) != 0
                          : shape[i] == '?' ? text[i] == 'A' || text[i] == 'P'
                                            : text[i] == shape[i];
        if (!fits) {
            return false;
        }
    }
    return true;
}

}  // namespace korvel::test
