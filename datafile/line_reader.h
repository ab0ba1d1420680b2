#pragma once
// Reads a file's bytes line by line as a text-mode reader with a fixed line buffer does:
// CR LF is read as LF, and a line longer than the buffer comes out as several lines.

#include <cstddef>
#include <optional>
#include <string_view>

namespace korvel {

struct TextLine {
    std::string_view text;  // without its line end
    bool ended = false;     // the line had its LF (not cut by the buffer or the end of file)

    // Shorter than two characters with its line end: an empty line that separates blocks.
    bool isBlank() const { return text.size() + (ended ? 1 : 0) < 2; }
};

class LineReader {
  public:
    // limit: the most characters one line holds, its LF included (511 or 254).
    LineReader(std::string_view bytes, std::size_t limit);

    // The next line, or nothing at the end of the bytes.
    std::optional<TextLine> next();
    // The next line without consuming it.
    std::optional<TextLine> peek();
    // The next line that is not blank, skipping blank ones.
    std::optional<TextLine> nextNonBlank();
    std::optional<TextLine> peekNonBlank();

  private:
    std::optional<TextLine> cut(std::size_t& position) const;

    // The last line looked at by peekNonBlank(), for the nextNonBlank() that usually follows.
    struct Peeked {
        std::size_t from = 0;
        std::size_t to = 0;
        std::optional<TextLine> line;
    };

    std::string_view bytes_;
    std::size_t limit_;
    std::size_t position_ = 0;
    std::optional<Peeked> peeked_;
};

}  // namespace korvel
