// A build without the Qt programs: korvel-cli has no report, whose pages Qt draws.

#include "cli/cli_context.h"

namespace korvel::cli {

std::vector<CliCommand> reportCommands() {
    return {};
}

}  // namespace korvel::cli
