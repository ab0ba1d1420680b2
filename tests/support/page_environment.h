#pragma once
// A temporary installation for one widget test: a working directory with its ini files, the
// user's documents and settings folders, the application object started up in it, and the
// process's current directory put back afterwards.

#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/palimar_app.h"
#include "pages/page_context.h"

namespace korvel::test {

class PageEnvironment {
  public:
    PageEnvironment();
    ~PageEnvironment();

    // A file under the temporary root (folders made as needed).
    void write(const std::string& relative, const std::string& bytes) const;
    std::string read(const std::string& relative) const;
    std::string path(const std::string& relative) const;
    void makeFolder(const std::string& relative) const;

    // Starts the application with the working directory "work" (write its ini files first).
    PalimarApp& start();
    PalimarApp& app() { return *app_; }
    PageContext context() { return PageContext{*app_, {QString::fromStdString(path(""))}}; }

  private:
    QTemporaryDir root_;
    std::string savedCurrentDirectory_;
    std::unique_ptr<PalimarApp> app_;
};

// The ini text of [CONFIG] with the three page flags.
std::string pageFlags(int dataLogger, int transferOnly, int userVelocity);

}  // namespace korvel::test
