#pragma once
// What the User Velocity page may send: a positive number, and for the units the gauge knows
// one within the gauge's range in that unit (1000 to 9999 m/s, 0.0394 to 0.3937 in/us). A value
// typed with a comma, a blank inside or a sign is not a number the gauge reads.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "app/text_table.h"
#include "gauge/user_velocity.h"

namespace korvel {

// The caption slots of the two velocities' labels on the User Velocity page.
inline constexpr std::array<const char*, 2> kVelocityLabelKeys = {"IDC_STATIC_VELOCITY1",
                                                                  "IDC_STATIC_VELOCITY2"};

// The first of the two velocities that may not go to the gauge: its index and the warning to
// show before anything is sent, naming it by its caption on the User Velocity page. The page
// and korvel-cli's "gauge velocity set" both check with it.
struct RefusedVelocity {
    std::size_t index = 0;
    std::string warning;
};
std::optional<RefusedVelocity> refusedVelocity(const VelocitySettings& settings,
                                               const TextTable& texts);

}  // namespace korvel
