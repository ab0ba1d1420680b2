#include "tests/support/run_program.h"

#include <algorithm>

#include "app/safe_file.h"
#include "app/text_rules.h"

namespace korvel::test {

namespace {

std::string caught(const std::string& path) {
    std::string text = readFileBytes(path).value_or("");
#ifdef _WIN32
    std::string lf;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            lf += text[i];
        }
    }
    text = lf;
#endif
    return text;
}

}  // namespace

std::vector<std::string> environmentFor(const ProgramSetup& setup,
                                        const std::vector<std::string>& inherited) {
    std::vector<std::string> entries;
    for (const auto& [name, value] : setup.environment) {
        entries.push_back(name + "=" + value);
    }
    for (const auto& entry : inherited) {
        const std::string name = entry.substr(0, entry.find('='));
        if (std::none_of(setup.environment.begin(), setup.environment.end(),
                         [&](const auto& added) { return equalsNoCase(added.first, name); })) {
            entries.push_back(entry);
        }
    }
    return entries;
}

ProgramRun caughtOutput(int status, const ProgramSetup& setup) {
    return {status, caught(setup.outFile), caught(setup.errFile)};
}

}  // namespace korvel::test
