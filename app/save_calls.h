#pragma once
// The file system calls a safe save makes, behind one small interface: the system's own calls
// by default, and in tests a stand-in that fails a chosen call. Every result is 0 or the
// system's error number (errno).

#include <cstddef>
#include <string>

namespace korvel {

// An open file as the system knows it (a descriptor on POSIX systems).
using SaveHandle = long long;

class SaveCalls {
  public:
    virtual ~SaveCalls() = default;

    // Creates a new, empty file that nobody else can have opened: fails when anything, a
    // symbolic link included, already has the name. It is created with the permission bits
    // of the file at `model` when there is one (else those of any new file), so that it is
    // never readable by more people than the file it will replace, not even for a moment.
    virtual int createNew(const std::string& path, const std::string& model,
                          SaveHandle& handle) = 0;
    // Writes at most `size` bytes; `written` tells how many went out.
    virtual int write(SaveHandle handle, const char* data, std::size_t size,
                      std::size_t& written) = 0;
    // Puts the written data on the disk.
    virtual int sync(SaveHandle handle) = 0;
    virtual int close(SaveHandle handle) = 0;
    // Gives the open file the permission bits of the file at `from`; nothing to do (and 0)
    // when there is no such file.
    virtual int copyPermissions(const std::string& from, SaveHandle handle) = 0;
    // Replaces `to` by `from` in one step.
    virtual int rename(const std::string& from, const std::string& to) = 0;
    virtual int remove(const std::string& path) = 0;
};

// The calls every save uses now.
SaveCalls& saveCalls();
// The system's own calls.
SaveCalls& systemSaveCalls();

// Puts other calls in place for the life of the object (tests).
class SaveCallsOverride {
  public:
    explicit SaveCallsOverride(SaveCalls& calls);
    ~SaveCallsOverride();
    SaveCallsOverride(const SaveCallsOverride&) = delete;
    SaveCallsOverride& operator=(const SaveCallsOverride&) = delete;

  private:
    SaveCalls* previous_;
};

}  // namespace korvel
