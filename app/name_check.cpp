#include "app/name_check.h"

namespace korvel {

int checkDataFileName(const std::string& name, std::size_t maxStem) {
    std::string full = name;
    if (full.find(".CSV") == std::string::npos) {
        full += ".CSV";
    }
    const std::string stem = full.substr(0, full.find(".CSV"));
    if (stem.size() > maxStem) {
        return 0;
    }
    for (const char c : stem) {
        const bool allowed =
            c == '+' || c == '-' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
        if (!allowed) {
            return 0;
        }
    }
    return 1;
}

}  // namespace korvel
