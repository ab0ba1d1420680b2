#pragma once
// Small text rules shared by the data file readers and writers: single-byte, ASCII case rules
// that never depend on the user's locale.

#include <string>
#include <string_view>

namespace korvel {

char asciiUpper(char c);
std::string asciiUpper(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);
bool startsWithNoCase(std::string_view text, std::string_view prefix);
bool endsWithNoCase(std::string_view text, std::string_view suffix);
bool contains(std::string_view text, std::string_view part);
// Without leading and trailing blanks, tabs, CR and LF.
std::string_view trimmed(std::string_view text);
// Without the UTF-8 byte order mark that some editors put before a saved file's first line.
std::string_view withoutByteOrderMark(std::string_view bytes);

}  // namespace korvel
