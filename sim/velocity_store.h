#pragma once
// The gauge's two user velocities, each a value with its unit, and the commands that read and
// set them: "get user NAME UNIT" answers "VALUE UNIT" in the unit asked for when the gauge
// knows it (in its own unit otherwise), "set user NAME VALUE UNIT" answers "OK" or "ERROR ...".

#include <array>
#include <memory>
#include <string>

#include "sim/simulated_gauge.h"

namespace korvel::sim {

struct UserVelocityValue {
    std::string value;
    std::string unit;
};

class VelocityStore {
  public:
    // With a file, the velocities are loaded from it and saved there on every change.
    explicit VelocityStore(std::string file = {});

    const UserVelocityValue& velocity(int index) const { return values_.at(index); }
    void setVelocity(int index, UserVelocityValue value);

    // The reply texts, without the end marker.
    std::string get(const std::string& argument) const;
    std::string set(const std::string& argument);

  private:
    void load();
    void save() const;

    std::string file_;
    std::array<UserVelocityValue, 2> values_;
};

// Gives the gauge a store of its own that lives as long as the gauge's commands do; with a
// file, the velocities are kept there between runs.
std::shared_ptr<VelocityStore> teachVelocities(SimulatedGauge& gauge, std::string file = {});
// Where a data log folder's gauge keeps its velocities: a file in a hidden subfolder, so that
// the data log's listing does not show it.
std::string velocityFileIn(const std::string& dataLogFolder);

}  // namespace korvel::sim
