#include "sim/data_log_names.h"

#include <algorithm>
#include <array>

namespace korvel::sim {

bool isDataLogName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '/' || c == '\\' || c == ':'; });
}

bool sentAsBytes(std::string_view name) {
    constexpr std::array<std::string_view, 2> kByteTypes = {".BIN", ".BMP"};
    return std::any_of(kByteTypes.begin(), kByteTypes.end(), [name](std::string_view type) {
        const std::size_t first = name.find(type);
        return first != std::string_view::npos && first > 0;
    });
}

}  // namespace korvel::sim
