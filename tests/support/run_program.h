#pragma once
// Runs a program as a person or a script does, without a shell: in a given working folder, with
// some environment variables added, its standard output and error caught in files and read
// back whole. One source file per system (run_program_posix.cpp, run_program_windows.cpp).

#include <string>
#include <utility>
#include <vector>

namespace korvel::test {

struct ProgramRun {
    int status = -1;  // the exit status, or -1 when the program could not run or did not exit
    std::string out;
    std::string err;
};

struct ProgramSetup {
    std::string workingFolder;
    std::vector<std::pair<std::string, std::string>> environment;  // added to this process's
    std::string outFile;  // where standard output is caught
    std::string errFile;  // where standard error is caught
};

// On Windows a program's text output ends its lines with CR LF: they are read back as LF.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const ProgramSetup& setup);

// What both systems share: the setup's variables and then the inherited "NAME=value" entries
// of other names; and the caught files read back.
std::vector<std::string> environmentFor(const ProgramSetup& setup,
                                        const std::vector<std::string>& inherited);
ProgramRun caughtOutput(int status, const ProgramSetup& setup);

}  // namespace korvel::test
