#include "app/text_encoding.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(TextEncodingTest, ValidUtf8StaysAndAnythingElseIsWindows1252) {
    struct Case {
        const char* bytes;
        bool valid;
        const char* utf8;
    } cases[] = {
        {"Daten\xC3\xBC", true, "Daten\xC3\xBC"},                        // ü in UTF-8
        {"\xE6\xB5\x8B\xE5\x8E\x9A", true, "\xE6\xB5\x8B\xE5\x8E\x9A"},  // two Chinese characters
        {"\xF0\x9F\x94\x8A", true, "\xF0\x9F\x94\x8A"},                  // four bytes
        {"\xDC"
         "bertragung",
         false,
         "\xC3\x9C"
         "bertragung"},  // Ü in Windows-1252
        {"\x80 \x93x\x94 \x99", false, "\xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D \xE2\x84\xA2"},
        {"\x81\x8D", false, "\xC2\x81\xC2\x8D"},      // undefined bytes keep their value
        {"\xC0\x80", false, "\xC3\x80\xE2\x82\xAC"},  // overlong NUL
        {"\xE0\x80\xAF", false, "\xC3\xA0\xE2\x82\xAC\xC2\xAF"},                  // overlong slash
        {"\xED\xA0\x80", false, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},                  // a surrogate
        {"\xF4\x90\x80\x80", false, "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},  // above U+10FFFF
        {"ab\xE6\xB5", false, "ab\xC3\xA6\xC2\xB5"},  // cut in the middle
        {"", true, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.bytes;
        EXPECT_EQ(textAsUtf8(c.bytes), c.utf8) << c.bytes;
    }
}

TEST(TextEncodingTest, FirstCharactersNeverCutsACharacter) {
    struct Case {
        const char* text;
        std::size_t limit;
        const char* expected;
    } cases[] = {
        {"abc", 2, "ab"},
        {"abc", 5, "abc"},
        {"\xC3\xBC\xC3\xBC", 1, "\xC3\xBC"},
        {"\xE6\xB5\x8B\xE5\x8E\x9A", 1, "\xE6\xB5\x8B"},
        {"a\xF0\x9F\x94\x8A"
         "b",
         2, "a\xF0\x9F\x94\x8A"},
        {"abc", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(firstCharacters(c.text, c.limit), c.expected) << c.text << " " << c.limit;
    }
}

TEST(TextEncodingTest, AStreamDecodesTheSameWhereverItIsCut) {
    const struct {
        std::string bytes;
        bool endMarker;
        std::string text;
    } cases[] = {
        {"Gr\xC3\xB6\xC3\x9F"
         "e \xF0\x9F\x94\xA7",
         false, "Größe 🔧"},
        {"Gr\xF6\xDF"
         "e \x80",
         false, "Größe €"},
        {"ok\xE2\x82", false, "okâ‚"},  // a character that never ended
        {"ok\xFF\xFF", true, "ok"},     // the end marker
        {"ok\xFF\xFF", false, "okÿÿ"},  // 0xFF bytes that were text
        {"\xFF"
         "a\xC3",
         true, "ÿaÃ"},
    };
    for (const auto& c : cases) {
        for (std::size_t first = 0; first <= c.bytes.size(); ++first) {
            for (std::size_t second = first; second <= c.bytes.size(); ++second) {
                StreamTextDecoder decoder;
                const std::string_view bytes = c.bytes;
                std::string text = decoder.decode(bytes.substr(0, first));
                text += decoder.decode(bytes.substr(first, second - first));
                text += decoder.decode(bytes.substr(second));
                text += decoder.finish(c.endMarker);
                EXPECT_EQ(text, c.text) << c.text << " cut at " << first << " and " << second;
            }
        }
    }
}

}  // namespace
}  // namespace korvel
