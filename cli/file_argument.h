#pragma once
// FILE arguments of the data file commands: a name in the working folder, or a path when it
// holds a separator.

#include <optional>
#include <string>

#include "cli/cli_context.h"
#include "datafile/data_file.h"

namespace korvel::cli {

struct FileArgument {
    std::string folder;
    std::string name;
};

FileArgument fileArgument(const CliContext& context, const std::string& file);

// FILE as a name for an operation on the working folder's files: a bare name as it is, a path
// (relative to the current directory) as the way to it from the folder.
std::string nameFromFolder(const CliContext& context, const std::string& file);

// The data file the argument names, or nothing after the file-open message.
std::optional<DataFile> loadDataFile(CliContext& context, const std::string& file);

}  // namespace korvel::cli
