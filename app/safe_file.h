#pragma once
// Reading whole files and saving them so that a failure never damages what was there.

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// Writes the bytes to a new hidden file (a name beginning with '.', made of a stem of the
// target's name and random letters) in the target's folder, created with the old file's
// permission bits, puts it on the disk and renames it over the target only when it is
// complete. On failure the old file is untouched, the temporary file is gone and, when given,
// error holds the system's reason. Temporary files of the same target older than a minute,
// left by a save that was killed, are removed first.
bool writeFileSafely(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// The system's reason for the last failed writeFileSafely on this thread (empty after one that
// succeeded), for the messages of callers that are told only that it failed.
std::string lastSaveFailureReason();

// Removes the temporary files of the target that are older than a minute.
void removeStaleTemporaries(const std::string& path);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> readFileBytes(const std::string& path);

}  // namespace korvel
