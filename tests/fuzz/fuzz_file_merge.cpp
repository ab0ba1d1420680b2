// Any bytes cut into up to four files at each "\n==\n" and merged: the merged file has one
// line per line of the first file, and its keys are read as a folder search reads them.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/file_merge.h"

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> files;
    std::size_t start = 0;
    while (files.size() < 3) {
        const auto cut = bytes.find("\n==\n", start);
        if (cut == std::string_view::npos) {
            break;
        }
        files.emplace_back(bytes.substr(start, cut - start + 1));
        start = cut + 4;
    }
    files.emplace_back(bytes.substr(std::min(start, bytes.size())));
    const std::string merged = mergedBytes(files);
    if (fileLines(merged).size() != fileLines(files[0]).size()) {
        std::abort();
    }
    lineKeys(merged);
    isGridFile(files[0]);
    hasLosingHeadings(files[0]);
    return 0;
}
