#include "cli/file_argument.h"

#include "app/platform.h"
#include "datafile/data_file_reader.h"

namespace korvel::cli {

FileArgument fileArgument(const CliContext& context, const std::string& file) {
    const auto separator = file.find_last_of("/\\");
    if (separator == std::string::npos) {
        return {context.folder, file};
    }
    return {separator == 0 ? file.substr(0, 1) : file.substr(0, separator),
            file.substr(separator + 1)};
}

std::optional<DataFile> loadDataFile(CliContext& context, const std::string& file) {
    const FileArgument argument = fileArgument(context, file);
    const std::string path = joinPath(argument.folder, argument.name);
    auto loaded = readDataFile(path);
    if (!loaded) {
        reportFileOpenError(context.voice, context.app.texts(), path);
    }
    return loaded;
}

}  // namespace korvel::cli
