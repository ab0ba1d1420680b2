#pragma once
// The simulated gauge's data log: a folder of real files, listed, read and written as the
// gauge's own file store would be.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::sim {

class DataLog {
  public:
    explicit DataLog(std::string folder) : folder_(std::move(folder)) {}

    // The file names, sorted.
    std::vector<std::string> names() const;
    // One line per file: "NAME,TYPE,MM/DD/YYYY HH:MM AM," CR LF, TYPE being the extension.
    std::string listing() const;
    // The stored file whose name before its extension is baseName (a ".CSV" one first).
    std::optional<std::string> findByBaseName(std::string_view baseName) const;
    std::optional<std::string> read(const std::string& name) const;
    std::string pathOf(const std::string& name) const;

  private:
    std::string folder_;
};

// Stores a file arriving in pieces the way the gauge keeps text: CR LF becomes LF, also when
// the pair is split between two pieces.
class FileReceiver {
  public:
    FileReceiver() = default;
    ~FileReceiver() { finish(); }
    FileReceiver(const FileReceiver&) = delete;
    FileReceiver& operator=(const FileReceiver&) = delete;

    bool begin(const std::string& path);
    bool active() const { return file_ != nullptr; }
    void add(std::string_view piece);
    void finish();

  private:
    std::FILE* file_ = nullptr;
    bool pendingCarriageReturn_ = false;
};

}  // namespace korvel::sim
