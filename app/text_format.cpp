#include "app/text_format.h"

namespace korvel {

namespace {

// argumentFor(n) gives the text for the n-th "%s", or nothing to leave it as it stands.
template <typename ArgumentFor>
std::string substitute(std::string_view format, ArgumentFor argumentFor) {
    std::string out;
    out.reserve(format.size());
    int used = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            const char next = format[i + 1];
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
            const auto* argument = next == 's' ? argumentFor(used) : nullptr;
            if (argument) {
                out += *argument;
                ++used;
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

}  // namespace

std::string formatWithArgument(std::string_view format, std::string_view argument, int count) {
    return substitute(format, [&](int n) { return n < count ? &argument : nullptr; });
}

std::string formatWithArguments(std::string_view format,
                                std::initializer_list<std::string_view> arguments) {
    return substitute(format, [&](int n) {
        return n < static_cast<int>(arguments.size()) ? arguments.begin() + n : nullptr;
    });
}

std::string formatWithArguments(std::string_view format,
                                const std::vector<std::string>& arguments) {
    return substitute(format, [&](int n) {
        return n < static_cast<int>(arguments.size()) ? &arguments[static_cast<std::size_t>(n)]
                                                      : nullptr;
    });
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
