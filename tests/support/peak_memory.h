#pragma once
// The process's peak resident memory, for the tests that check a bound on it.

#include <fstream>
#include <string>

namespace korvel::test {

// The process's peak resident memory in MB, or -1 where the system does not tell.
inline long peakMemoryMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6)) / 1024;
        }
    }
    return -1;
}

}  // namespace korvel::test
