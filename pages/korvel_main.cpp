// The program: start-up in the current directory, then the main window, which runs the option
// sheet; the program ends when the sheet is closed.

#include <QApplication>

#include "app/palimar_app.h"
#include "app/ui/main_window.h"
#include "pages/page_set.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    korvel::PalimarApp app;
    app.startup();
    const korvel::PageContext context{app, {}};
    korvel::MainWindow window(app, [&context] { return korvel::createPageSet(context); });
    window.show();
    return QApplication::exec();
}
