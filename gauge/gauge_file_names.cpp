#include "gauge/gauge_file_names.h"

#include <algorithm>

#include "datafile/data_file.h"

namespace korvel {

namespace {

// The position of the extension when it occurs after the first character.
std::size_t extensionAt(std::string_view name, std::string_view extension) {
    const std::size_t at = name.find(extension);
    return at != std::string_view::npos && at > 0 ? at : std::string_view::npos;
}

}  // namespace

std::string readBaseName(std::string_view listedName) {
    for (const std::string_view extension : {".CSV", ".BIN", ".BMP"}) {
        const std::size_t at = extensionAt(listedName, extension);
        if (at != std::string_view::npos) {
            return std::string(listedName.substr(0, at));
        }
    }
    return {};
}

std::string writeBaseName(std::string_view pcName) {
    const std::size_t at = pcName.find(".CSV");
    return at == std::string_view::npos ? std::string() : std::string(pcName.substr(0, at));
}

bool isDataFileName(std::string_view name) {
    return extensionAt(name, ".CSV") != std::string_view::npos && !isBinaryTransfer(name);
}

bool isBinaryTransfer(std::string_view name) {
    return extensionAt(name, ".BIN") != std::string_view::npos ||
           extensionAt(name, ".BMP") != std::string_view::npos;
}

bool isPlainFileName(std::string_view name) {
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    return !name.empty() && name != "." && name != ".." && !control &&
           name.find_first_of("/\\:") == std::string_view::npos;
}

bool readsAsDataFile(std::string_view text) {
    return hasDataFileHeader(text) && std::none_of(text.begin(), text.end(), [](char c) {
               const auto byte = static_cast<unsigned char>(c);
               return (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F;
           });
}

std::string pcTextFromGaugeReply(std::string_view reply) {
    const std::string_view text = reply.substr(0, reply.size() < 2 ? 0 : reply.size() - 2);
    std::string stored;
    stored.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            stored += '\r';
        }
        stored += text[i];
    }
    return stored;
}

}  // namespace korvel
