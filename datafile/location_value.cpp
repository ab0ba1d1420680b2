#include "datafile/location_value.h"

#include "datafile/number_text.h"

namespace korvel {

namespace {

bool isNumericText(std::string_view text) {
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == ' ')) {
            return false;
        }
    }
    return true;
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

LocationValue within(LocationKind kind, long value) {
    if (value < 1 || value > kLargestLocation) {
        return {};
    }
    return {kind, value};
}

}  // namespace

LocationValue parseLocationValue(std::string_view text) {
    if (text.empty() || text.find_first_of(",\r\n") != std::string_view::npos) {
        return {};
    }
    if (isNumericText(text)) {
        return within(LocationKind::Number, leadingNumber(text));
    }
    if (text.size() <= 2 && isLetter(text[0])) {
        const auto code = [](char c) {
            return static_cast<long>(static_cast<unsigned char>(c)) - 64;
        };
        const long value = text.size() == 1 ? code(text[0]) : code(text[0]) * 26 + code(text[1]);
        return within(LocationKind::Letters, value);
    }
    return {};
}

}  // namespace korvel
