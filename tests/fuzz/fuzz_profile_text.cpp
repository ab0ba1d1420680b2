// Any bytes as a profile file and, cut at the first "\n==\n", as Language.ini and Settings.ini
// of the text table. A key written into a profile reads back as written, every other line
// stays, and the table always has a text for every message key.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "app/profile_file.h"
#include "app/text_table.h"

using namespace korvel;

namespace {

void checkProfile(std::string_view bytes) {
    ProfileFile profile = ProfileFile::parse(bytes);
    profile.getString("Language", "Default", "ENU", 49);
    profile.getInt("CONFIG", "DataLogger", 1);
    profile.setString("Fuzz Section", "FuzzKey", "written value");
    const ProfileFile again = ProfileFile::parse(profile.text());
    if (again.getString("Fuzz Section", "FuzzKey", "", 511) != "written value" ||
        again.text() != profile.text()) {
        std::abort();
    }
}

std::string writeFile(const char* name, std::string_view bytes) {
    static const std::string folder = [] {
        char pattern[] = "/tmp/korvel-fuzz-XXXXXX";
        return std::string(mkdtemp(pattern) ? pattern : "/tmp");
    }();
    const std::string path = folder + "/" + name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

void checkTextTable(std::string_view bytes) {
    const auto cut = bytes.find("\n==\n");
    const std::string_view language = bytes.substr(0, cut);
    const std::string_view settings =
        cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 4);
    TextTable table;
    table.load(writeFile("Language.ini", language), writeFile("Settings.ini", settings), "KQ-77");
    static const TextTable builtIn;
    for (const auto& [key, text] : table.allMessages()) {
        if (text.empty() && !builtIn.message(key).empty()) {
            std::abort();  // an empty text falls back to the built-in one
        }
    }
    table.allCaptions();
    table.missingKeys();
    table.linkFailureMessage();
    table.upgradeInstructions();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkProfile(bytes);
    checkTextTable(bytes);
    return 0;
}
