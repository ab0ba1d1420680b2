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

}  // namespace korvel
