#include "pages/page_set.h"

#include "app/ui/preferences_page.h"
#include "pages/download_bin_page.h"
#include "pages/file_create_page.h"
#include "pages/file_merge_page.h"
#include "pages/file_transfer_page.h"
#include "pages/inspection_history_page.h"
#include "pages/terminal_page.h"
#include "pages/user_velocity_page.h"

namespace korvel {

PageSet createPageSet(const PageContext& context) {
    auto* transfer = new CFileTransferPage(context);
    auto* create = new CFileCreatePage(context);
    // The next survey of a file the transfer page's data view shows is made on File Create.
    QObject::connect(transfer, &CFileTransferPage::nextSurveyRequested, create,
                     &CFileCreatePage::fill);
    return {
        transfer,
        new CDownloadBinPage(context),
        new CTerminalPage(context),
        new CPreferencesPage(context.app),
        new CFileMergePage(context),
        create,
        new CInspectionHistoryPage(context),
        new CUserVelocity(context),
    };
}

}  // namespace korvel
