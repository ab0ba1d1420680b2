#include "tests/support/page_environment.h"

#include <QDir>
#include <fstream>
#include <sstream>

#include "app/platform.h"

namespace korvel::test {

PageEnvironment::PageEnvironment() : savedCurrentDirectory_(currentDirectory()) {
    makeFolder("work");
}

PageEnvironment::~PageEnvironment() {
    setCurrentDirectory(savedCurrentDirectory_);
}

std::string PageEnvironment::path(const std::string& relative) const {
    const std::string root = root_.path().toStdString();
    return relative.empty() ? root : joinPath(root, relative);
}

void PageEnvironment::makeFolder(const std::string& relative) const {
    QDir().mkpath(QString::fromStdString(path(relative)));
}

void PageEnvironment::write(const std::string& relative, const std::string& bytes) const {
    const QString full = QString::fromStdString(path(relative));
    QDir().mkpath(QFileInfo(full).path());
    std::ofstream(full.toStdString(), std::ios::binary) << bytes;
}

std::string PageEnvironment::read(const std::string& relative) const {
    std::ifstream in(path(relative), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

PalimarApp& PageEnvironment::start() {
    app_ = std::make_unique<PalimarApp>();
    SystemFolders folders;
    folders.documents = path("docs");
    folders.settings = path("config");
    app_->startup(path("work"), folders);
    setCurrentDirectory(path("work"));
    return *app_;
}

std::string pageFlags(int dataLogger, int transferOnly, int userVelocity) {
    return "[CONFIG]\r\nDataLogger=" + std::to_string(dataLogger) +
           "\r\nShowFileTransferTabOnly=" + std::to_string(transferOnly) +
           "\r\nUserVelocity=" + std::to_string(userVelocity) + "\r\n";
}

}  // namespace korvel::test
