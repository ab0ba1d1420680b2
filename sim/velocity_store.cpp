#include "sim/velocity_store.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <sstream>

#include "app/platform.h"
#include "app/safe_file.h"

namespace korvel::sim {

namespace {

constexpr double kMetresPerSecondPerInchPerMicrosecond = 25400.0;

bool knownUnit(const std::string& unit) {
    return unit == "in/us" || unit == "m/s";
}

// "velocity1" or "velocity2" as 0 or 1.
std::optional<int> velocityIndex(const std::string& name) {
    if (name == "velocity1") {
        return 0;
    }
    if (name == "velocity2") {
        return 1;
    }
    return std::nullopt;
}

std::optional<double> parseNumber(const std::string& text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string formatNumber(double value, int decimals) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

// The value in the other unit: in/us with four decimals, m/s whole.
std::string convert(const UserVelocityValue& stored, const std::string& unit) {
    const std::optional<double> value = parseNumber(stored.value);
    if (!value) {
        return stored.value;
    }
    return unit == "m/s" ? formatNumber(*value * kMetresPerSecondPerInchPerMicrosecond, 0)
                         : formatNumber(*value / kMetresPerSecondPerInchPerMicrosecond, 4);
}

// The words of a command's argument, the last one taking the rest of the line.
std::vector<std::string> splitWords(const std::string& text, std::size_t count) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (words.size() + 1 < count) {
        const std::size_t blank = text.find(' ', at);
        if (blank == std::string::npos) {
            break;
        }
        words.push_back(text.substr(at, blank - at));
        at = blank + 1;
    }
    words.push_back(text.substr(at));
    return words;
}

}  // namespace

VelocityStore::VelocityStore(std::string file)
    : file_(std::move(file)), values_{{{"0.2330", "in/us"}, {"6320", "m/s"}}} {
    load();
}

std::shared_ptr<VelocityStore> teachVelocities(SimulatedGauge& gauge, std::string file) {
    auto store = std::make_shared<VelocityStore>(std::move(file));
    gauge.addCommand("get user ",
                     [store](const std::string& a) { return textReply(store->get(a)); });
    gauge.addCommand("set user ",
                     [store](const std::string& a) { return textReply(store->set(a)); });
    return store;
}

std::string velocityFileIn(const std::string& dataLogFolder) {
    return joinPath(joinPath(dataLogFolder, ".gauge"), "user_velocity.txt");
}

void VelocityStore::setVelocity(int index, UserVelocityValue value) {
    values_.at(static_cast<std::size_t>(index)) = std::move(value);
    save();
}

std::string VelocityStore::get(const std::string& argument) const {
    const std::vector<std::string> words = splitWords(argument, 2);
    const std::optional<int> index = velocityIndex(words[0]);
    if (!index || words.size() < 2) {
        return "ERROR unknown velocity";
    }
    const UserVelocityValue& stored = values_[static_cast<std::size_t>(*index)];
    const std::string& unit = words[1];
    if (unit == stored.unit || !knownUnit(unit)) {
        return stored.value + " " + stored.unit;
    }
    return convert(stored, unit) + " " + unit;
}

std::string VelocityStore::set(const std::string& argument) {
    const std::vector<std::string> words = splitWords(argument, 3);
    const std::optional<int> index = velocityIndex(words[0]);
    if (!index || words.size() < 3) {
        return "ERROR unknown velocity";
    }
    if (!parseNumber(words[1])) {
        return "ERROR invalid value " + words[1];
    }
    if (!knownUnit(words[2])) {
        return "ERROR unknown unit " + words[2];
    }
    setVelocity(*index, {words[1], words[2]});
    return "OK";
}

void VelocityStore::load() {
    if (file_.empty()) {
        return;
    }
    const std::optional<std::string> text = readFileBytes(file_);
    if (!text) {
        return;
    }
    std::istringstream lines(*text);
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> words = splitWords(line, 3);
        const std::optional<int> index = velocityIndex(words[0]);
        if (index && words.size() == 3 && parseNumber(words[1]) && knownUnit(words[2])) {
            values_[static_cast<std::size_t>(*index)] = {words[1], words[2]};
        }
    }
}

void VelocityStore::save() const {
    if (file_.empty()) {
        return;
    }
    std::string text;
    text += "velocity1 " + values_[0].value + " " + values_[0].unit + "\n";
    text += "velocity2 " + values_[1].value + " " + values_[1].unit + "\n";
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file_).parent_path(), ec);
    writeFileSafely(file_, text);
}

}  // namespace korvel::sim
