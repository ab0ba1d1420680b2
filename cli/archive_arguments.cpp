#include "cli/archive_arguments.h"

#include <algorithm>

namespace korvel::cli {

std::optional<ArchiveArguments> archiveArguments(const std::vector<std::string>& args,
                                                 const std::vector<std::string>& known) {
    ArchiveArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].rfind("--", 0) != 0) {
            parsed.words.push_back(args[i]);
            continue;
        }
        if (std::find(known.begin(), known.end(), args[i]) == known.end() || i + 1 >= args.size() ||
            parsed.options.count(args[i])) {
            return std::nullopt;
        }
        parsed.options[args[i]] = args[i + 1];
        ++i;
    }
    return parsed;
}

}  // namespace korvel::cli
