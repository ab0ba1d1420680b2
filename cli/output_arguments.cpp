#include "cli/output_arguments.h"

#include "app/platform.h"
#include "datafile/output_file.h"

namespace korvel::cli {

std::string inFolder(const CliContext& context, const std::string& name) {
    return name.find_first_of("/\\") == std::string::npos ? joinPath(context.folder, name) : name;
}

namespace {

std::optional<OutputArguments> givenArguments(const std::vector<std::string>& args) {
    OutputArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--out" && hasValue && parsed.out.empty()) {
            parsed.out = args[++i];
        } else if (args[i] == "--earlier" && hasValue && parsed.earlier.empty()) {
            parsed.earlier = args[++i];
        } else if (args[i].rfind("--", 0) != 0 && parsed.file.empty()) {
            parsed.file = args[i];
        } else {
            return std::nullopt;
        }
    }
    return parsed.file.empty() ? std::nullopt : std::optional(parsed);
}

}  // namespace

std::optional<OutputArguments> outputArguments(const CliContext& context,
                                               const std::vector<std::string>& args,
                                               const std::string& extension) {
    auto parsed = givenArguments(args);
    if (!parsed) {
        return std::nullopt;
    }
    parsed->file = inFolder(context, parsed->file);
    parsed->out = parsed->out.empty() ? withExtension(parsed->file, extension)
                                      : inFolder(context, parsed->out);
    if (!parsed->earlier.empty()) {
        parsed->earlier = inFolder(context, parsed->earlier);
    }
    return parsed;
}

}  // namespace korvel::cli
