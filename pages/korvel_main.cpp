// The program on a real gauge: start-up in the current directory, the USB port on the real
// library with a clock that lets the window repaint while the protocol waits, then the main
// window, which runs the option sheet; the program ends when the sheet is closed.

#include <QApplication>

#include "app/clock.h"
#include "app/palimar_app.h"
#include "app/ui/qt_voice.h"
#include "gauge/usb_port.h"
#include "pages/page_context.h"
#include "pages/program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    korvel::RealClock clock;
    clock.setPump(korvel::pumpInterfaceEvents);
    korvel::UsbPort port(korvel::realUsbApi(), clock);
    korvel::installUsbPort(port);

    korvel::PalimarApp app;
    app.startup();
    return korvel::runProgram(korvel::PageContext{app, {}});
}
