#include "temp_home.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/temp_folder.h"

namespace korvel::test {

TempHome::TempHome() : root_(uniqueTempFolder("korvel-test").string()) {}

TempHome::~TempHome() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

std::string TempHome::path(const std::string& name) const {
    std::string native = name;
    std::replace(native.begin(), native.end(), '/', kPathSeparator);
    return joinPath(root_, native);
}

SystemFolders TempHome::folders() const {
    SystemFolders folders;
    folders.documents = path("Documents");
    folders.settings = path(".config");
    return folders;
}

void TempHome::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
}

std::string TempHome::read(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace korvel::test
