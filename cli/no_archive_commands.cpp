// archive, in a build without the inspection history (Windows: no SQLite or libpq there).

#include "cli/cli_context.h"

namespace korvel::cli {

std::vector<CliCommand> archiveCommands() {
    return {{"archive", "...   the inspection history (not available in this build)",
             [](CliContext& context, const std::vector<std::string>&) {
                 context.voice.show(MessageKind::Error,
                                    context.app.texts().message("IDS_ERR_HISTORY_NOT_AVAILABLE"));
                 return kExitFailed;
             }}};
}

}  // namespace korvel::cli
