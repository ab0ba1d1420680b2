// The file system calls of a safe save on Windows: CREATE_NEW creates a file only where
// nothing has the name (a link included), FlushFileBuffers puts it on the disk, and
// MoveFileEx replaces the target in one step. Windows' error codes are told as the errno
// numbers the rest of the save speaks.

#include <windows.h>

#include <cerrno>

#include "app/save_calls.h"

namespace korvel {

namespace {

int errnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
    }
}

int result(bool ok) {
    return ok ? 0 : errnoOf(GetLastError());
}

HANDLE fileOf(SaveHandle handle) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(handle));
}

class WindowsSaveCalls : public SaveCalls {
  public:
    // The folder's access rules apply to the new file as they do to the one it replaces.
    int createNew(const std::string& path, const std::string&, SaveHandle& handle) override {
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        handle = static_cast<SaveHandle>(reinterpret_cast<INT_PTR>(file));
        return result(file != INVALID_HANDLE_VALUE);
    }

    int write(SaveHandle handle, const char* data, std::size_t size,
              std::size_t& written) override {
        DWORD count = 0;
        const bool ok = WriteFile(fileOf(handle), data, static_cast<DWORD>(size), &count, nullptr);
        written = count;
        return result(ok);
    }

    int sync(SaveHandle handle) override { return result(FlushFileBuffers(fileOf(handle))); }

    int close(SaveHandle handle) override { return result(CloseHandle(fileOf(handle))); }

    // Windows files have no permission bits of their own; the rename keeps the folder's rules.
    int copyPermissions(const std::string&, SaveHandle) override { return 0; }

    int rename(const std::string& from, const std::string& to) override {
        return result(MoveFileExA(from.c_str(), to.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    }

    int remove(const std::string& path) override { return result(DeleteFileA(path.c_str())); }
};

}  // namespace

SaveCalls& systemSaveCalls() {
    static WindowsSaveCalls calls;
    return calls;
}

}  // namespace korvel
