#pragma once
// The status lines of a batch of file transfers: where the batch is, what a cancel left, and
// how it ended.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/text_table.h"

namespace korvel {

// "file 2 of 4: NAME" for the file at index 1 of four.
std::string batchFileStatus(const TextTable& texts, std::size_t index, std::size_t count,
                            std::string_view name);

// "Transfer cancelled. 1 of 4 files done: A.CSV", the names of the files done after the colon
// (no colon when none was done).
std::string cancelledBatchStatus(const TextTable& texts, const std::vector<std::string>& done,
                                 std::size_t count);

// "Transfer ended. Saved: 2 (A.CSV, B.CSV); skipped: 1 (C.CSV); failed: 0", each count with
// the names of its files.
std::string batchSummaryStatus(const TextTable& texts, const std::vector<std::string>& saved,
                               const std::vector<std::string>& skipped,
                               const std::vector<std::string>& failed);

}  // namespace korvel
