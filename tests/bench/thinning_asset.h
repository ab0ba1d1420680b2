#pragma once
// The asset the history's window and report benchmarks read: 20 surveys of 5000 readings
// (100,000 readings), a year apart from June 2000 on, every wall 0.002 thinner than the survey
// before; either the largest thickness-only sequence or a grid of 50 columns by 100 rows.

#include <string>

#include "history/inspection_history.h"

namespace korvel::test {

inline constexpr int kThinningSurveys = 20;

enum class ThinningShape { Sequence, Grid };

// The n-th survey's file bytes.
std::string thinningSurvey(ThinningShape shape, int n);

// Makes the asset (0.1 in required, the tank code) and adds its 20 surveys; false when one
// of them is refused.
bool addThinningAsset(history::InspectionHistory& history, const std::string& asset,
                      ThinningShape shape);

}  // namespace korvel::test
