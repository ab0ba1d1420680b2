#include "app/ui/sheet_pages.h"

#include "app/palimar_app.h"

namespace korvel {

bool pageEnabled(SheetPage page, const PalimarApp& app) {
    const bool dataLogger = app.dataLoggerPages();
    const bool allPages = !app.transferOnly();
    switch (page) {
        case SheetPage::FileTransfer:
            return dataLogger;
        case SheetPage::SoftwareUpgrade:
        case SheetPage::Terminal:
        case SheetPage::Preferences:
            return allPages;
        case SheetPage::FileMerge:
        case SheetPage::FileCreate:
            return allPages && dataLogger;
        case SheetPage::InspectionHistory:
            return allPages && dataLogger && app.inspectionHistoryPage();
        case SheetPage::UserVelocity:
            return app.userVelocityPage();
    }
    return false;
}

}  // namespace korvel
