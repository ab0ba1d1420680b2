#include "cli/cli_context.h"

namespace korvel::cli {

// The datafile commands come with their own library.
std::vector<CliCommand> dataFileCommands() { return {}; }

}  // namespace korvel::cli
