#pragma once
// The arguments of the commands that write one file about a data file (report, workbook):
// FILE [--out NAME] [--earlier FILE], each a name in the working folder or a path when it holds
// a separator; without --out, FILE's name with the command's extension.

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_context.h"

namespace korvel::cli {

struct OutputArguments {
    std::string file;
    std::string out;
    std::string earlier;  // empty when not given
};

// A name in the working folder, or the path as given when it holds a separator.
std::string inFolder(const CliContext& context, const std::string& name);

// The paths, or none for a usage error.
std::optional<OutputArguments> outputArguments(const CliContext& context,
                                               const std::vector<std::string>& args,
                                               const std::string& extension);

}  // namespace korvel::cli
