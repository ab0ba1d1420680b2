#include "cli/file_argument.h"

#include <filesystem>

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

std::string nameFromFolder(const CliContext& context, const std::string& file) {
    if (file.find_first_of("/\\") == std::string::npos) {
        return file;
    }
    std::error_code error;
    const auto folder = std::filesystem::absolute(context.folder, error);
    const auto path = std::filesystem::absolute(file, error);
    return path.lexically_relative(folder).string();
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
