#pragma once
// The arguments of korvel-cli's "archive" commands: positional words and "--name value"
// options, and the checks of the values the options take.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace korvel::cli {

struct ArchiveArguments {
    std::vector<std::string> words;              // in order, options left out
    std::map<std::string, std::string> options;  // "--required" -> "0.2"
};

// Every option takes a value; one of `known` or none; nothing when an option is unknown, is
// given twice or lacks its value.
std::optional<ArchiveArguments> archiveArguments(const std::vector<std::string>& args,
                                                 const std::vector<std::string>& known);

}  // namespace korvel::cli
