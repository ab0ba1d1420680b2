#include <windows.h>

#include <cstring>

#include "tests/support/run_program.h"

namespace korvel::test {

namespace {

// One argument as the C runtime's command-line parser takes it back: quoted when it holds a
// blank or a quote or is empty, with the backslashes before a quote doubled.
std::string quotedArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
        return arg;
    }
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\');
    return out + "\"";
}

// The environment as the block CreateProcess takes.
std::string environmentBlock(const ProgramSetup& setup) {
    std::vector<std::string> inherited;
    char* const strings = GetEnvironmentStringsA();
    for (const char* entry = strings; entry && *entry; entry += strlen(entry) + 1) {
        inherited.emplace_back(entry);
    }
    FreeEnvironmentStringsA(strings);
    std::string block;
    for (const auto& entry : environmentFor(setup, inherited)) {
        block += entry + '\0';
    }
    return block + '\0';
}

HANDLE inheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const ProgramSetup& setup) {
    std::string commandLine = quotedArgument(program);
    for (const auto& arg : args) {
        commandLine += " " + quotedArgument(arg);
    }
    std::string environment = environmentBlock(setup);
    const HANDLE out = inheritableFile(setup.outFile);
    const HANDLE err = inheritableFile(setup.errFile);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    const bool started =
        out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, environment.data(),
                       setup.workingFolder.c_str(), &startup, &process);
    CloseHandle(out);
    CloseHandle(err);
    if (!started) {
        return {};
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return caughtOutput(static_cast<int>(status), setup);
}

}  // namespace korvel::test
