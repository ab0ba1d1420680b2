#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "app/save_calls.h"

namespace korvel {

namespace {

int result(bool ok) {
    return ok ? 0 : errno;
}

int descriptor(SaveHandle handle) {
    return static_cast<int>(handle);
}

class PosixSaveCalls : public SaveCalls {
  public:
    int createNew(const std::string& path, const std::string& model, SaveHandle& handle) override {
        // The model's bits, or 0666, less the user's umask; O_EXCL never follows a link.
        struct stat old {};
        const mode_t mode = ::stat(model.c_str(), &old) == 0 ? (old.st_mode & 0777) : 0666;
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        handle = fd;
        return result(fd >= 0);
    }

    int write(SaveHandle handle, const char* data, std::size_t size,
              std::size_t& written) override {
        ssize_t count;
        do {
            count = ::write(descriptor(handle), data, size);
        } while (count < 0 && errno == EINTR);
        written = count < 0 ? 0 : static_cast<std::size_t>(count);
        return result(count >= 0);
    }

    int sync(SaveHandle handle) override { return result(::fsync(descriptor(handle)) == 0); }

    int close(SaveHandle handle) override { return result(::close(descriptor(handle)) == 0); }

    int copyPermissions(const std::string& from, SaveHandle handle) override {
        struct stat old {};
        if (::stat(from.c_str(), &old) != 0) {
            return errno == ENOENT ? 0 : errno;
        }
        return result(::fchmod(descriptor(handle), old.st_mode & 07777) == 0);
    }

    int rename(const std::string& from, const std::string& to) override {
        return result(std::rename(from.c_str(), to.c_str()) == 0);
    }

    int remove(const std::string& path) override { return result(::unlink(path.c_str()) == 0); }
};

}  // namespace

SaveCalls& systemSaveCalls() {
    static PosixSaveCalls calls;
    return calls;
}

}  // namespace korvel
