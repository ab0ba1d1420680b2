#include "gauge/file_pieces.h"

#include <algorithm>

namespace korvel {

std::string_view FilePieces::next() {
    const std::string_view rest = std::string_view(bytes_).substr(position_);
    const std::size_t lineEnd = rest.find('\n');
    std::size_t length = std::min(rest.size(), kMaxPiece);
    if (lineEnd != std::string_view::npos && lineEnd < length) {
        length = lineEnd + 1;
    }
    const bool endsLine = length > 0 && rest[length - 1] == '\n';
    atEnd_ = !endsLine && length < kMaxPiece;
    position_ += length;
    return rest.substr(0, length);
}

}  // namespace korvel
