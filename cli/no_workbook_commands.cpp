// A build without libxlsxwriter (Windows): korvel-cli writes no workbooks.

#include "cli/cli_context.h"

namespace korvel::cli {

std::vector<CliCommand> workbookCommands() {
    return {};
}

}  // namespace korvel::cli
