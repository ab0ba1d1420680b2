#pragma once
// korvel-cli gauge velocity | send | upgrade: the User Velocity page, the Terminal and the
// Software Upgrade without windows.

#include <string>
#include <vector>

#include "cli/cli_context.h"
#include "gauge/gauge_link.h"

namespace korvel::cli {

// velocity get [U1 U2]: "velocity1 VALUE UNIT" and "velocity2 VALUE UNIT" on stdout.
// velocity set V1 U1 V2 U2.
int runVelocity(CliContext& context, GaugeLink& link, const std::vector<std::string>& args);
// send TEXT...: the words joined by blanks, written as the Terminal writes; the raw reply on
// stdout until 1000 ms of silence or the end marker.
int runSend(CliContext& context, GaugeLink& link, const std::vector<std::string>& args);
// upgrade FILE.bin: the bootloader from the working directory, then the image.
int runUpgrade(CliContext& context, GaugeLink& link, const std::vector<std::string>& args);

}  // namespace korvel::cli
