#include "app/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace korvel {

namespace fs = std::filesystem;

namespace {

std::string temporaryNameBeside(const std::string& path) {
    static std::mt19937 random{std::random_device{}()};
    return path + ".tmp" + std::to_string(random() % 1000000);
}

bool fail(std::string* error, const std::string& reason) {
    if (error) {
        *error = reason;
    }
    return false;
}

}  // namespace

bool writeFileSafely(const std::string& path, std::string_view bytes, std::string* error) {
    const std::string temporary = temporaryNameBeside(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        return fail(error, std::strerror(errno));
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(temporary.c_str());
        return fail(error, std::strerror(written ? errno : writeErrno));
    }
    std::error_code ec;
    fs::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        return fail(error, ec.message());
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
