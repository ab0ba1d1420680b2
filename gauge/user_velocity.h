#pragma once
// The gauge's two user velocities: "get user NAME UNIT" and "set user NAME VALUE UNIT" over
// the page's link, and the reading of a reply "VALUE UNIT". Values and units are passed as
// text, unchecked: any validation of the numbers is the gauge's.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "gauge/gauge_link.h"

namespace korvel {

inline constexpr std::array<const char*, 2> kVelocityNames = {"velocity1", "velocity2"};
inline constexpr std::array<const char*, 2> kVelocityUnits = {"in/us", "m/s"};

std::string getUserCommand(std::string_view name, std::string_view unit);
std::string setUserCommand(std::string_view name, std::string_view value, std::string_view unit);

// A reply cut at its first blank: the value before it and the unit the gauge reports after it
// (line ends dropped). Nothing for a reply without a blank or one that starts with it.
struct VelocityReply {
    std::string value;
    std::string unit;
};
std::optional<VelocityReply> parseVelocityReply(std::string_view reply);

// One velocity as the page's boxes hold it.
struct VelocitySetting {
    std::string value;
    std::string unit;
};
using VelocitySettings = std::array<VelocitySetting, 2>;

class UserVelocityExchange {
  public:
    explicit UserVelocityExchange(GaugeLink& link) : link_(link) {}

    // The reply to "get user", or empty after telling the user why there is none: the command
    // could not be sent, the gauge did not answer, refused, went on without end, the link was
    // lost, or the reply is not a number and a unit. Empty without a message when cancelled.
    std::string GetUser(std::string_view name, std::string_view unit);
    // 0, or -1 after telling the user the command could not be sent, the gauge did not answer
    // (or without end, or the link was lost), or, in a warning with the gauge's own words, that
    // the gauge refused it ("ERROR ..."). Any other reply is discarded.
    int SetUser(std::string_view name, std::string_view value, std::string_view unit);

    // Reads both velocities in the units asked for. Each one the gauge answered takes its value
    // and the unit the gauge reports (the value is in that unit); the others keep theirs.
    // The number answered, or -1 when the gauge could not be reached (the link failure has
    // been shown) or the read was cancelled (the settings are then unchanged).
    int getVelocities(VelocitySettings& settings);
    // Sends both velocities (an empty value as "0", which the settings then hold), the second
    // even when the first fails, unless the operation is cancelled. The number sent and taken
    // by the gauge, or -1 when the gauge could not be reached.
    int setVelocities(VelocitySettings& settings);

  private:
    GaugeLink& link_;
};

}  // namespace korvel
