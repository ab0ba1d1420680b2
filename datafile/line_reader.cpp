#include "datafile/line_reader.h"

#include <cstring>

namespace korvel {

LineReader::LineReader(std::string_view bytes, std::size_t limit)
    : bytes_(bytes), limit_(limit < 1 ? 1 : limit) {}

// A CR right before an LF is not counted and not kept; the LF counts as one character. Every
// other byte counts, so a line fits when its text (without that CR) and its LF are within the
// limit; a longer line is cut after `limit` characters.
std::optional<TextLine> LineReader::cut(std::size_t& position) const {
    if (position >= bytes_.size()) {
        return std::nullopt;
    }
    const std::size_t start = position;
    const std::size_t remaining = bytes_.size() - start;
    const std::size_t window = remaining < limit_ + 1 ? remaining : limit_ + 1;
    const void* found = std::memchr(bytes_.data() + start, '\n', window);
    if (found) {
        const std::size_t lf =
            static_cast<std::size_t>(static_cast<const char*>(found) - bytes_.data());
        const std::size_t end = lf > start && bytes_[lf - 1] == '\r' ? lf - 1 : lf;
        if (end - start + 1 <= limit_) {
            position = lf + 1;
            return TextLine{bytes_.substr(start, end - start), true};
        }
    } else if (remaining <= limit_) {
        position = bytes_.size();
        return TextLine{bytes_.substr(start), false};
    }
    position = start + limit_;
    return TextLine{bytes_.substr(start, limit_), false};
}

std::optional<TextLine> LineReader::next() {
    return cut(position_);
}

std::optional<TextLine> LineReader::peek() {
    std::size_t position = position_;
    return cut(position);
}

std::optional<TextLine> LineReader::nextNonBlank() {
    if (peeked_ && peeked_->from == position_) {
        position_ = peeked_->to;
        return peeked_->line;
    }
    for (auto line = next(); line; line = next()) {
        if (!line->isBlank()) {
            return line;
        }
    }
    return std::nullopt;
}

std::optional<TextLine> LineReader::peekNonBlank() {
    if (peeked_ && peeked_->from == position_) {
        return peeked_->line;
    }
    std::size_t position = position_;
    auto line = cut(position);
    while (line && line->isBlank()) {
        line = cut(position);
    }
    peeked_ = Peeked{position_, position, line};
    return line;
}

}  // namespace korvel
