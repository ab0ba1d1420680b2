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

// Text that arrives in pieces (the gauge's raw reply), decoded the same way however it is cut:
// each whole UTF-8 character as it is, any other byte as Windows-1252. A character whose last
// bytes have not come yet waits for them, and 0xFF bytes at the end wait too, so that the
// gauge's end marker is never shown as a letter.
class StreamTextDecoder {
  public:
    static constexpr unsigned char kEndMarkerByte = 0xFF;

    // The text of the bytes so far that no later byte can change, as UTF-8.
    std::string decode(std::string_view bytes);
    // The stream has ended: what still waits, without the 0xFF bytes at its end when they were
    // the end marker. The decoder is then ready for a new stream.
    std::string finish(bool endMarker);
    void reset() { held_.clear(); }

  private:
    static std::string decodeCharacters(std::string_view bytes);

    std::string held_;
};

}  // namespace korvel
