// korvel-cli's exit status for each way a gauge operation can end.

#include <gtest/gtest.h>

#include "cli/exit_status.h"

namespace korvel::cli {
namespace {

TEST(ExitStatus, EachOutcomeGivesTheContractsStatus) {
    const struct {
        Outcome outcome;
        int status;
    } cases[] = {
        {Outcome::Done, 0},         {Outcome::Cancelled, 130}, {Outcome::LinkLost, 1},
        {Outcome::GaugeRefused, 1}, {Outcome::PcFileError, 1}, {Outcome::TimedOut, 1},
        {Outcome::Declined, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(exitStatusOf(c.outcome), c.status) << static_cast<int>(c.outcome);
    }
}

}  // namespace
}  // namespace korvel::cli
