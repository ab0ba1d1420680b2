#pragma once
// Save calls for tests: the system's own calls, counted and recorded by name, with the call
// numbered failAt (from 1) failing with a chosen error, or, for a write, taking only half of
// the bytes.

#include <string>
#include <vector>

#include "app/save_calls.h"

namespace korvel::test {

class ScriptedSaveCalls : public SaveCalls {
  public:
    int failAt = 0;
    int error = 0;                   // errno of the failing call; 0 makes a failing write short
    std::vector<std::string> names;  // every call so far
    std::vector<std::string> paths;  // the first path of every call that names one

    int createNew(const std::string& path, const std::string& model, SaveHandle& handle) override {
        paths.push_back(path);
        return failsNow("createNew") ? error : real().createNew(path, model, handle);
    }
    int write(SaveHandle handle, const char* data, std::size_t size,
              std::size_t& written) override {
        if (failsNow("write")) {
            return error ? error : real().write(handle, data, size / 2, written);
        }
        return real().write(handle, data, size, written);
    }
    int sync(SaveHandle handle) override { return failsNow("sync") ? error : real().sync(handle); }
    // A failing close still gives the file back, as the system does.
    int close(SaveHandle handle) override {
        const int closed = real().close(handle);
        return failsNow("close") ? error : closed;
    }
    int copyPermissions(const std::string& from, SaveHandle handle) override {
        return failsNow("copyPermissions") ? error : real().copyPermissions(from, handle);
    }
    int rename(const std::string& from, const std::string& to) override {
        paths.push_back(from);
        return failsNow("rename") ? error : real().rename(from, to);
    }
    int remove(const std::string& path) override {
        return failsNow("remove") ? error : real().remove(path);
    }

  private:
    static SaveCalls& real() { return systemSaveCalls(); }
    bool failsNow(const char* name) {
        names.emplace_back(name);
        return static_cast<int>(names.size()) == failAt;
    }
};

}  // namespace korvel::test
