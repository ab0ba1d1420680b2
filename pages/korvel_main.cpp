// The program on a real gauge: start-up in the current directory, the USB port on the real
// library (traced when the debug flag is on) and the real clock, then the main window, which
// runs the option sheet; the program ends when the sheet is closed.

#include <QApplication>

#include "app/clock.h"
#include "app/palimar_app.h"
#include "gauge/usb_port.h"
#include "gauge/usb_trace.h"
#include "gauge/write_to_gauge.h"
#include "pages/page_context.h"
#include "pages/program.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    korvel::PalimarApp app;
    app.startup();

    korvel::RealClock clock;
    // With [LOG] Debug=1 every USB call is appended to the debug log, for a report.
    const korvel::UsbApi& usb =
        app.debugLog()
            ? korvel::tracedUsbApi(
                  korvel::realUsbApi(), clock,
                  korvel::appendingTraceSink(korvel::debugLogPathIn(app.settingsFolder())))
            : korvel::realUsbApi();
    korvel::UsbPort port(usb, clock);
    korvel::installUsbPort(port);
    return korvel::runProgram(korvel::PageContext{app, {}});
}
