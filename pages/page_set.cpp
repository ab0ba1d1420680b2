#include "pages/page_set.h"

#include "app/ui/preferences_page.h"
#include "pages/download_bin_page.h"
#include "pages/file_create_page.h"
#include "pages/file_merge_page.h"
#include "pages/file_transfer_page.h"
#include "pages/terminal_page.h"
#include "pages/user_velocity_page.h"

namespace korvel {

PageSet createPageSet(const PageContext& context) {
    return {
        new CFileTransferPage(context), new CDownloadBinPage(context),
        new CTerminalPage(context),     new CPreferencesPage(context.app),
        new CFileMergePage(context),    new CFileCreatePage(context),
        new CUserVelocity(context),
    };
}

}  // namespace korvel
