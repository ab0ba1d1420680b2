#pragma once
// Small text rules shared by the profile files, the data files and the file lists: single-byte
// ASCII case folding, blanks and leading integers that never depend on the user's locale (the
// C library's tolower keeps 'I' as it is under a Turkish locale).

#include <string>
#include <string_view>

namespace korvel {

char asciiUpper(char c);
std::string asciiUpper(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);
// Ascending order of the ASCII upper-case forms.
bool lessNoCase(std::string_view a, std::string_view b);
bool startsWithNoCase(std::string_view text, std::string_view prefix);
bool endsWithNoCase(std::string_view text, std::string_view suffix);
bool contains(std::string_view text, std::string_view part);
// Without leading and trailing blanks, tabs, CR and LF.
std::string_view trimmed(std::string_view text);
// Without the UTF-8 byte order mark that some editors put before a saved file's first line.
std::string_view withoutByteOrderMark(std::string_view bytes);

// The leading decimal number of the text as the C library's atoi reads it: leading blanks, an
// optional sign, then digits; 0 when there are none. Clamped to the int range.
int leadingNumber(std::string_view text);

}  // namespace korvel
