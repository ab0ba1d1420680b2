#include "datafile/number_text.h"

#include <charconv>
#include <cmath>

namespace korvel {

namespace {

std::size_t skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                               text[i] == '\r' || text[i] == '\v' || text[i] == '\f')) {
        ++i;
    }
    return i;
}

}  // namespace

double leadingDecimal(std::string_view text) {
    std::string_view rest = text.substr(skipBlanks(text));
    if (!rest.empty() && rest.front() == '+') {
        rest.remove_prefix(1);
    }
    double value = 0;
    const auto result =
        std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return 0;
    }
    return value;
}

std::string fixedDecimals(double value, int decimals) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        return "0";
    }
    return std::string(buffer, result.ptr);
}

std::string zeroPadded(int value, int width) {
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    const int pad = width - static_cast<int>(digits.size()) - (value < 0 ? 1 : 0);
    return (value < 0 ? "-" : "") + std::string(pad > 0 ? pad : 0, '0') + digits;
}

}  // namespace korvel
