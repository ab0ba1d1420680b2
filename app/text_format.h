#pragma once
// Formats from the language file are untrusted: they are never handed to printf.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace korvel {

// Replaces the first `count` occurrences of "%s" by the argument and "%%" by "%"; every other
// "%" sequence (%d, %n, a surplus %s ...) stays as text.
std::string formatWithArgument(std::string_view format, std::string_view argument, int count);
// Replaces the n-th "%s" by the n-th argument and "%%" by "%"; a surplus "%s" stays as text.
std::string formatWithArguments(std::string_view format,
                                std::initializer_list<std::string_view> arguments);
std::string formatWithArguments(std::string_view format, const std::vector<std::string>& arguments);

// Replaces every "%1" by the argument (the built-in strings' gauge-name placeholder).
std::string replacePlaceholder(std::string_view text, std::string_view argument);

// A language file text "\n" (backslash, n) becomes a line break; nothing else changes.
std::string expandLineBreaks(std::string_view text);

}  // namespace korvel
