#pragma once
// A file cut into the pieces an upload sends: each ends after a line feed, at 63 bytes, or at
// the end of the file, the way a line read into a 64-byte buffer cuts it.

#include <string>
#include <string_view>

namespace korvel {

class FilePieces {
  public:
    static constexpr std::size_t kMaxPiece = 63;

    explicit FilePieces(std::string bytes) : bytes_(std::move(bytes)) {}

    // The next piece; empty once the file is used up.
    std::string_view next();
    // True once a read ran into the end of the file. A file ending in a line feed needs one
    // more, empty read to get there.
    bool atEnd() const { return atEnd_; }

  private:
    std::string bytes_;
    std::size_t position_ = 0;
    bool atEnd_ = false;
};

}  // namespace korvel
