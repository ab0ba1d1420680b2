#include "gauge/batch_status.h"

#include "app/text_format.h"

namespace korvel {

std::string batchFileStatus(const TextTable& texts, std::size_t index, std::size_t count,
                            std::string_view name) {
    return formatWithArguments(texts.message("IDS_STATUS_GAGE_BATCHFILE"),
                               {std::to_string(index + 1), std::to_string(count), name});
}

std::string cancelledBatchStatus(const TextTable& texts, const std::vector<std::string>& done,
                                 std::size_t count) {
    std::string status = formatWithArguments(texts.message("IDS_STATUS_GAGE_TRANSFERCANCELLED"),
                                             {std::to_string(done.size()), std::to_string(count)});
    for (std::size_t i = 0; i < done.size(); ++i) {
        status += (i == 0 ? ": " : ", ") + done[i];
    }
    return status;
}

namespace {

// "2 (A.CSV, B.CSV)", or "0".
std::string countAndNames(const std::vector<std::string>& names) {
    std::string text = std::to_string(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? " (" : ", ") + names[i];
    }
    return names.empty() ? text : text + ")";
}

}  // namespace

std::string batchSummaryStatus(const TextTable& texts, const std::vector<std::string>& saved,
                               const std::vector<std::string>& skipped,
                               const std::vector<std::string>& failed) {
    return formatWithArguments(
        texts.message("IDS_STATUS_GAGE_BATCHSUMMARY"),
        {countAndNames(saved), countAndNames(skipped), countAndNames(failed)});
}

}  // namespace korvel
