// korvel-samples FOLDER: writes the sample data files into FOLDER.

#include <iostream>
#include <string_view>

#include "tools/sample_files.h"

namespace {

constexpr std::string_view kUsage =
    "usage: korvel-samples FOLDER\n"
    "  writes gauge-style sample data files (and a text report) into FOLDER\n"
    "  --help   this text, on standard output\n";

}  // namespace

int main(int argc, char** argv) {
    const std::string_view argument = argc == 2 ? argv[1] : "";
    if (argument == "--help") {
        std::cout << kUsage;
        return 0;
    }
    if (argc != 2 || argument.empty() || argument.front() == '-') {
        std::cerr << kUsage;
        return 2;
    }
    std::string error;
    if (!korvel::samples::writeSampleSet(argv[1], &error)) {
        std::cerr << "korvel-samples: cannot write into " << argv[1] << ": " << error << '\n';
        return 1;
    }
    return 0;
}
