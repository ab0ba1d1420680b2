#include "datafile/line_reader.h"

namespace korvel {

LineReader::LineReader(std::string_view bytes, std::size_t limit)
    : bytes_(bytes), limit_(limit < 1 ? 1 : limit) {}

// A CR right before an LF is not counted and not kept; the LF counts as one character.
std::optional<TextLine> LineReader::cut(std::size_t& position) const {
    if (position >= bytes_.size()) {
        return std::nullopt;
    }
    const std::size_t start = position;
    std::size_t count = 0;
    std::size_t i = start;
    while (i < bytes_.size()) {
        if (count == limit_) {
            position = i;
            return TextLine{bytes_.substr(start, i - start), false};
        }
        const bool crBeforeLf = bytes_[i] == '\r' && i + 1 < bytes_.size() && bytes_[i + 1] == '\n';
        if (crBeforeLf) {
            ++i;
            continue;
        }
        if (bytes_[i] == '\n') {
            const std::size_t end = i > start && bytes_[i - 1] == '\r' ? i - 1 : i;
            position = i + 1;
            return TextLine{bytes_.substr(start, end - start), true};
        }
        ++count;
        ++i;
    }
    position = bytes_.size();
    return TextLine{bytes_.substr(start), false};
}

std::optional<TextLine> LineReader::next() {
    return cut(position_);
}

std::optional<TextLine> LineReader::peek() {
    std::size_t position = position_;
    return cut(position);
}

std::optional<TextLine> LineReader::nextNonBlank() {
    for (auto line = next(); line; line = next()) {
        if (!line->isBlank()) {
            return line;
        }
    }
    return std::nullopt;
}

std::optional<TextLine> LineReader::peekNonBlank() {
    std::size_t position = position_;
    for (auto line = cut(position); line; line = cut(position)) {
        if (!line->isBlank()) {
            return line;
        }
    }
    return std::nullopt;
}

}  // namespace korvel
