#pragma once
// The optional log of file uploads: each line begins with a line feed.

#include <cstdio>
#include <string>
#include <string_view>

namespace korvel {

class DebugLog {
  public:
    DebugLog() = default;
    ~DebugLog() { close(); }
    DebugLog(const DebugLog&) = delete;
    DebugLog& operator=(const DebugLog&) = delete;

    // Creates (empties) the log file; false when it cannot be created.
    bool create(const std::string& path);
    // Writes "\n" and the text when the log exists; nothing otherwise.
    void line(std::string_view text);
    void close();

  private:
    std::FILE* file_ = nullptr;
};

}  // namespace korvel
