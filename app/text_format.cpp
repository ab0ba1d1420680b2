#include "app/text_format.h"

namespace korvel {

std::string formatWithArgument(std::string_view format, std::string_view argument, int count) {
    std::string out;
    out.reserve(format.size() + argument.size() * static_cast<std::size_t>(count > 0 ? count : 0));
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            const char next = format[i + 1];
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (next == 's' && count > 0) {
                out += argument;
                --count;
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

std::string replacePlaceholder(std::string_view text, std::string_view argument) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '1') {
            out += argument;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string expandLineBreaks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace korvel
