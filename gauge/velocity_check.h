#pragma once
// What the User Velocity page may send: a positive number, and for the units the gauge knows
// one within the gauge's range in that unit (1000 to 9999 m/s, 0.0394 to 0.3937 in/us). A value
// typed with a comma, a blank inside or a sign is not a number the gauge reads.

#include <string>
#include <string_view>

#include "app/text_table.h"
#include "gauge/user_velocity.h"

namespace korvel {

// The warning to show before anything is sent, naming the velocity by its label; empty when
// the velocity can go to the gauge.
std::string velocityRefusal(const VelocitySetting& setting, std::string_view label,
                            const TextTable& texts);

}  // namespace korvel
