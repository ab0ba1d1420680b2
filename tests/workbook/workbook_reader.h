#pragma once
// A workbook as a spreadsheet program reads it: read_workbook.py (openpyxl) prints one
// "KEY=VALUE" line per sheet fact, cell and style; the lines are kept by key.

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "tests/support/run_program.h"

namespace korvel::test {

struct ReadBack {
    int status = -1;
    std::string errors;                        // what the reader wrote to standard error
    std::map<std::string, std::string> lines;  // "Readings!B2" -> "n:0.25"

    // The value under the key; empty when the reader printed none (an empty cell).
    std::string at(const std::string& key) const {
        const auto found = lines.find(key);
        return found == lines.end() ? std::string() : found->second;
    }
};

inline ReadBack readWorkbook(const std::filesystem::path& workbook) {
    const auto folder = workbook.parent_path();
    const ProgramSetup setup{folder.string(),
                             {},
                             (folder / "read-out.txt").string(),
                             (folder / "read-err.txt").string()};
    const ProgramRun run =
        runProgram(KORVEL_PYTHON3, {KORVEL_READ_WORKBOOK, workbook.string()}, setup);
    ReadBack back{run.status, run.err, {}};
    std::size_t start = 0;
    while (start < run.out.size()) {
        const auto end = run.out.find('\n', start);
        const std::string line = run.out.substr(start, end - start);
        const auto equals = line.find('=');
        if (equals != std::string::npos) {
            back.lines[line.substr(0, equals)] = line.substr(equals + 1);
        }
        start = end == std::string::npos ? run.out.size() : end + 1;
    }
    return back;
}

// Whether a value read back is the one expected: numbers ("n:...") within a millionth, as a
// spreadsheet shows them; everything else exactly.
inline bool sameValue(const std::string& read, const std::string& expected) {
    if (read.rfind("n:", 0) == 0 && expected.rfind("n:", 0) == 0) {
        return std::abs(std::strtod(read.c_str() + 2, nullptr) -
                        std::strtod(expected.c_str() + 2, nullptr)) < 1e-6;
    }
    return read == expected;
}

}  // namespace korvel::test
