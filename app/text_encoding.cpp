#include "app/text_encoding.h"

#include <algorithm>
#include <cstdint>

namespace korvel {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five bytes the code page leaves undefined keep their
// own value, as Windows converts them.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Length of the UTF-8 sequence that starts with this byte, 0 when no sequence starts so.
std::size_t sequenceLength(std::uint8_t lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

// The allowed range of the second byte after a lead byte (the ranges exclude overlong forms,
// surrogates and code points above U+10FFFF).
bool secondByteAllowed(std::uint8_t lead, std::uint8_t second) {
    switch (lead) {
        case 0xE0:
            return second >= 0xA0 && second <= 0xBF;
        case 0xED:
            return second >= 0x80 && second <= 0x9F;
        case 0xF0:
            return second >= 0x90 && second <= 0xBF;
        case 0xF4:
            return second >= 0x80 && second <= 0x8F;
        default:
            return second >= 0x80 && second <= 0xBF;
    }
}

// How many bytes from `at` fit the UTF-8 sequence its lead byte begins (at most the sequence's
// length), and that length (0 when no sequence begins so).
struct SequenceFit {
    std::size_t fitting;
    std::size_t length;
};

SequenceFit sequenceAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<std::uint8_t>(text[at]);
    const std::size_t length = sequenceLength(lead);
    std::size_t fitting = length == 0 ? 0 : 1;
    while (fitting > 0 && fitting < length && at + fitting < text.size()) {
        const auto next = static_cast<std::uint8_t>(text[at + fitting]);
        const bool allowed =
            fitting == 1 ? secondByteAllowed(lead, next) : (next >= 0x80 && next <= 0xBF);
        if (!allowed) {
            break;
        }
        ++fitting;
    }
    return {fitting, length};
}

}  // namespace

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const SequenceFit fit = sequenceAt(text, i);
        if (fit.length == 0 || fit.fitting < fit.length) {
            return false;
        }
        i += fit.length;
    }
    return true;
}

std::string StreamTextDecoder::decode(std::string_view bytes) {
    held_ += bytes;
    std::size_t end = held_.size();
    while (end > 0 && static_cast<std::uint8_t>(held_[end - 1]) == kEndMarkerByte) {
        --end;
    }
    // A character whose last bytes have not come yet waits for them.
    for (std::size_t back = 1; back <= 3 && back <= end; ++back) {
        const SequenceFit fit = sequenceAt(std::string_view(held_).substr(0, end), end - back);
        if (fit.length > back && fit.fitting == back) {
            end -= back;
            break;
        }
    }
    std::string text = decodeCharacters(std::string_view(held_).substr(0, end));
    held_.erase(0, end);
    return text;
}

std::string StreamTextDecoder::finish(bool endMarker) {
    std::string_view rest = held_;
    while (endMarker && !rest.empty() && static_cast<std::uint8_t>(rest.back()) == kEndMarkerByte) {
        rest.remove_suffix(1);
    }
    std::string text = decodeCharacters(rest);
    held_.clear();
    return text;
}

std::string StreamTextDecoder::decodeCharacters(std::string_view bytes) {
    std::string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const SequenceFit fit = sequenceAt(bytes, i);
        const bool whole = fit.length > 0 && fit.fitting == fit.length;
        const std::size_t taken = whole ? fit.length : 1;
        out += whole ? std::string(bytes.substr(i, taken)) : windows1252ToUtf8(bytes.substr(i, 1));
        i += taken;
    }
    return out;
}

std::string windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        appendUtf8(out, byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte);
    }
    return out;
}

std::string textAsUtf8(std::string_view text) {
    return isValidUtf8(text) ? std::string(text) : windows1252ToUtf8(text);
}

std::string firstCharacters(std::string_view utf8, std::size_t limit) {
    std::size_t end = 0;
    for (std::size_t count = 0; end < utf8.size() && count < limit; ++count) {
        const std::size_t length = sequenceLength(static_cast<std::uint8_t>(utf8[end]));
        end += length == 0 ? 1 : length;
    }
    return std::string(utf8.substr(0, std::min(end, utf8.size())));
}

}  // namespace korvel
