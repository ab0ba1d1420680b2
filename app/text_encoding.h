#pragma once
// Texts that come from files written anywhere (the language file above all) are held as UTF-8.
// A text that is valid UTF-8 is taken as it is; any other text is read as Windows-1252, the
// code page files written on Windows in western languages use, and converted to UTF-8.

#include <cstddef>
#include <string>
#include <string_view>

namespace korvel {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text);

std::string windows1252ToUtf8(std::string_view text);

// The text as UTF-8 by the rule above.
std::string textAsUtf8(std::string_view text);

// The first `limit` characters of a UTF-8 text, never cutting a character in two.
std::string firstCharacters(std::string_view utf8, std::size_t limit);

}  // namespace korvel
