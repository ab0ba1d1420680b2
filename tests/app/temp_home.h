#pragma once
// A temporary folder that plays the working directory and the user's home for one test.

#include <string>

#include "app/platform.h"

namespace korvel::test {

class TempHome {
  public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& root() const { return root_; }
    // A name under the root; "/" in it stands for the system's separator.
    std::string path(const std::string& name) const;
    // The documents and settings folders inside the temporary home.
    SystemFolders folders() const;
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

  private:
    std::string root_;
};

}  // namespace korvel::test
