#include "pages/program.h"

#include <QApplication>

#include "app/palimar_app.h"
#include "app/ui/app_icon.h"
#include "app/ui/main_window.h"
#include "app/ui/option_sheet.h"
#include "app/ui/qt_translations.h"
#include "pages/page_set.h"

namespace korvel {

int runProgram(const PageContext& context, const std::function<void(COptionSheet*)>& onSheet) {
    QApplication::setWindowIcon(applicationIcon());
    installQtTranslations(context.app.texts().languageCode());
    MainWindow window(context.app, [&context] { return createPageSet(context); });
    if (onSheet) {
        QObject::connect(&window, &MainWindow::sheetOpened, onSheet);
    }
    window.show();
    return QApplication::exec();
}

}  // namespace korvel
