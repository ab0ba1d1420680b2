// korvel-samples FOLDER: writes the sample data files into FOLDER.

#include <iostream>
#include <string>

#include "tools/sample_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: korvel-samples FOLDER\n"
                     "  writes gauge-style sample data files (and a text report) into FOLDER\n";
        return 2;
    }
    std::string error;
    if (!korvel::samples::writeSampleSet(argv[1], &error)) {
        std::cerr << "korvel-samples: cannot write into " << argv[1] << ": " << error << '\n';
        return 1;
    }
    return 0;
}
