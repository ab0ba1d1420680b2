#pragma once
// korvel-cli's exit status for how a gauge operation ended: 0 done, 130 cancelled (Ctrl+C),
// 1 for everything else (the gauge lost or refusing, a PC file, a time-out, a No answered).

#include "app/operation_outcome.h"
#include "cli/cli_context.h"
#include "cli/interrupt.h"

namespace korvel::cli {

constexpr int exitStatusOf(Outcome outcome) {
    switch (outcome) {
        case Outcome::Done:
            return kExitOk;
        case Outcome::Cancelled:
            return kExitInterrupted;
        case Outcome::LinkLost:
        case Outcome::GaugeRefused:
        case Outcome::PcFileError:
        case Outcome::TimedOut:
        case Outcome::Declined:
            break;
    }
    return kExitFailed;
}

}  // namespace korvel::cli
