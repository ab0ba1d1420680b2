#include "app/safe_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "app/save_calls.h"

namespace korvel {

namespace {

constexpr std::string_view kTemporaryPrefix = ".kv";
constexpr std::size_t kRandomLetters = 8;
constexpr int kNameAttempts = 64;
// A temporary file this old is no save under way but one that was killed.
constexpr auto kStaleAfter = std::chrono::minutes(1);
// Each write asks for at most this much, so that no system splits a request on its own.
constexpr std::size_t kWriteChunk = std::size_t{1} << 20;

std::string randomLetters() {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // One generator per thread: a download on the worker and a PDF saved from the window may
    // draw names at the same time.
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string letters(kRandomLetters, ' ');
    std::generate(letters.begin(), letters.end(), [&] { return kLetters[pick(random)]; });
    return letters;
}

// The hidden names of the target's temporary files begin with this: the prefix and eight hex
// digits of the target's file name, so that a later save of the same target knows them.
std::string temporaryStem(const std::string& path) {
    const auto separator = path.find_last_of("/\\");
    const std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(hash));
    return std::string(kTemporaryPrefix) + digits;
}

std::string folderOf(const std::string& path) {
    const auto separator = path.find_last_of("/\\");
    return separator == std::string::npos ? "" : path.substr(0, separator + 1);
}

// A short hidden name in the target's folder, so that the rename stays on one file system and
// any name the folder accepts can be saved.
std::string temporaryNameBeside(const std::string& path) {
    return folderOf(path) + temporaryStem(path) + randomLetters();
}

int createTemporary(SaveCalls& calls, const std::string& path, std::string& temporary,
                    SaveHandle& handle) {
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
        temporary = temporaryNameBeside(path);
        error = calls.createNew(temporary, path, handle);
    }
    return error;
}

// A write that takes fewer bytes than asked means the disk has no room for the rest.
int writeAll(SaveCalls& calls, SaveHandle handle, std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t ask = std::min(kWriteChunk, bytes.size() - done);
        std::size_t written = 0;
        if (const int error = calls.write(handle, bytes.data() + done, ask, written)) {
            return error;
        }
        if (written != ask) {
            return ENOSPC;
        }
        done += written;
    }
    return 0;
}

// Everything up to a closed, complete file; the handle is closed whatever happens.
int fillTemporary(SaveCalls& calls, const std::string& path, SaveHandle handle,
                  std::string_view bytes) {
    int error = calls.copyPermissions(path, handle);
    if (!error) {
        error = writeAll(calls, handle, bytes);
    }
    if (!error) {
        error = calls.sync(handle);
    }
    const int closeError = calls.close(handle);
    return error ? error : closeError;
}

thread_local std::string lastFailure;

bool fail(std::string* reason, int error) {
    lastFailure = std::generic_category().message(error);
    if (reason) {
        *reason = lastFailure;
    }
    return false;
}

}  // namespace

std::string lastSaveFailureReason() {
    return lastFailure;
}

void removeStaleTemporaries(const std::string& path) {
    namespace fs = std::filesystem;
    const std::string stem = temporaryStem(path);
    const std::string folder = folderOf(path);
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != stem.size() + kRandomLetters || name.rfind(stem, 0) != 0) {
            continue;
        }
        std::error_code timeError;
        const auto modified = fs::last_write_time(it->path(), timeError);
        if (!timeError && it->is_regular_file(timeError) && now - modified > kStaleAfter) {
            saveCalls().remove(it->path().string());
        }
    }
}

bool writeFileSafely(const std::string& path, std::string_view bytes, std::string* error) {
    lastFailure.clear();
    removeStaleTemporaries(path);
    SaveCalls& calls = saveCalls();
    std::string temporary;
    SaveHandle handle = -1;
    if (const int created = createTemporary(calls, path, temporary, handle)) {
        return fail(error, created);
    }
    int failure = fillTemporary(calls, path, handle, bytes);
    if (!failure) {
        failure = calls.rename(temporary, path);
    }
    if (failure) {
        calls.remove(temporary);
        return fail(error, failure);
    }
    return true;
}

std::optional<std::string> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    // istream::read turns a failing read (a folder, EIO) into badbit instead of letting the
    // stream buffer's exception escape, as reading through istreambuf_iterator would.
    std::string bytes;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace korvel
