#pragma once
// Reading whole files and saving them so that a failure never damages what was there.

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// Writes the bytes to a new hidden file (a name beginning with '.') in the target's folder,
// gives it the old file's permission bits, puts it on the disk and renames it over the target
// only when it is complete. On failure the old file is untouched, the temporary file is gone
// and, when given, error holds the system's reason.
bool writeFileSafely(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> readFileBytes(const std::string& path);

}  // namespace korvel
