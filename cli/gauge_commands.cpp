#include "cli/cli_context.h"

namespace korvel::cli {

// The gauge commands come with their own library.
std::vector<CliCommand> gaugeCommands() { return {}; }

}  // namespace korvel::cli
