#include "workbook/history_workbook.h"

#include "app/save_message.h"
#include "history/history_messages.h"
#include "workbook/survey_workbook.h"

namespace korvel {

bool saveHistoryWorkbook(history::InspectionHistory& history, const HistoryWorkbookRequest& request,
                         const TextTable& texts, const std::string& program, UserVoice& voice) {
    const auto content = history::assetHistory(history, request.asset);
    if (!content) {
        voice.show(MessageKind::Error, history::historyMessage(texts, content.error));
        return false;
    }
    if (!request.overwriteAsked && !mayOverwrite(request.out, voice, texts)) {
        return false;
    }
    return saveWorkbookBytes(request.out, historyWorkbookBytes(*content, program), voice, texts);
}

}  // namespace korvel
