#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/run_program.h"

extern char** environ;

namespace korvel::test {

namespace {

std::vector<char*> pointersTo(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (auto& word : words) {
        pointers.push_back(word.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

std::vector<std::string> inheritedEnvironment() {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        entries.emplace_back(*entry);
    }
    return entries;
}

// In the child, between fork and exec: only calls that allocate nothing.
[[noreturn]] void becomeProgram(char* const* argv, char* const* envp, const ProgramSetup& setup) {
    const int out = open(setup.outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(setup.errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out >= 0 && err >= 0 && dup2(out, STDOUT_FILENO) >= 0 && dup2(err, STDERR_FILENO) >= 0 &&
        chdir(setup.workingFolder.c_str()) == 0) {
        execve(argv[0], argv, envp);
    }
    _exit(127);
}

}  // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const ProgramSetup& setup) {
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<std::string> environment = environmentFor(setup, inheritedEnvironment());
    const std::vector<char*> argv = pointersTo(words);
    const std::vector<char*> envp = pointersTo(environment);
    const pid_t child = fork();
    if (child == 0) {
        becomeProgram(argv.data(), envp.data(), setup);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) {
        return {};
    }
    return caughtOutput(WIFEXITED(status) ? WEXITSTATUS(status) : -1, setup);
}

}  // namespace korvel::test
