#pragma once
// What to do when the gauge is found but cannot be opened: where the installed device rules
// are and to plug the gauge in again, or, for a build that is not installed, how to install
// them.

#include <string>

#include "app/text_table.h"

namespace korvel {

// The gauge's udev rules where udev reads them, or empty when they are in none of those places.
std::string installedGaugeRules();

// The hint for the rules file found (empty: none installed).
std::string permissionTip(const TextTable& texts, const std::string& installedRules);

}  // namespace korvel
