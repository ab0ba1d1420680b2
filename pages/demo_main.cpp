// korvel-demo: the program with a simulated gauge plugged in, in an installation of its own
// (see demo_folders.h), and a small window to unplug the gauge and plug it back in.
//
//   korvel-demo [--page N] [--list-gauge] [--view NAME] [--smoke] [--gauge-fault FAULT]
//               [--help] [DEMO-FOLDER]
//
// DEMO-FOLDER defaults to $XDG_DATA_HOME/korvel-demo. For the screenshots: --page opens the
// sheet at its N-th tab (from 0); --list-gauge refreshes the gauge list of the transfer page
// once it shows; --view opens the data view of that file of the PC data folder. --smoke quits
// with status 0 as soon as the sheet is shown (a start-up check for scripts). --gauge-fault makes
// the simulated gauge misbehave in both its modes, as korvel-cli's option does.

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string_view>

#include "app/clock.h"
#include "app/palimar_app.h"
#include "app/ui/option_sheet.h"
#include "gauge/usb_port.h"
#include "pages/demo_folders.h"
#include "pages/demo_gauge_panel.h"
#include "pages/file_transfer_page.h"
#include "pages/page_context.h"
#include "pages/program.h"
#include "sim/gauge_fault.h"
#include "sim/simulated_port.h"
#include "sim/upgrade_mode.h"
#include "sim/velocity_store.h"

#ifndef KORVEL_RESOURCES_DIR
#define KORVEL_RESOURCES_DIR "resources"
#endif

namespace {

// An installed demo takes the shipped files from share/korvel beside its bin folder; a demo in
// the build tree takes them from the sources.
std::string demoResources() {
    const QString installed = QCoreApplication::applicationDirPath() + "/../share/korvel";
    return QFileInfo::exists(installed + "/Language.ini") ? installed.toStdString()
                                                          : std::string(KORVEL_RESOURCES_DIR);
}

int refuseToStart(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, "korvel-demo", QString::fromLocal8Bit(text.c_str()));
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return 1;
}

constexpr const char* kUsage =
    "usage: korvel-demo [--page N] [--list-gauge] [--view NAME] [--smoke] [--gauge-fault FAULT]\n"
    "                   [DEMO-FOLDER]\n"
    "  --page N            open the sheet at its N-th tab (from 0)\n"
    "  --list-gauge        refresh the gauge list of the transfer page once it shows\n"
    "  --view NAME         open the data view of that file of the PC data folder\n"
    "  --smoke             quit with status 0 as soon as the sheet is shown\n"
    "  --gauge-fault FAULT  the simulated gauge misbehaves (see docs/gauge-faults.md)\n"
    "  --help              this text\n"
    "DEMO-FOLDER defaults to $XDG_DATA_HOME/korvel-demo.\n";

// --help (before any window): the usage on standard output, status 0; another option the demo
// does not know: the usage on standard error, status 2. Nothing when the demo may start.
std::optional<int> usageAnswer(int argc, char* argv[]) {
    static const std::set<std::string_view> withValue = {"--page", "--view", "--gauge-fault"};
    static const std::set<std::string_view> flags = {"--list-gauge", "--smoke"};
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (withValue.count(argument)) {
            ++i;
        } else if (argument.rfind("--", 0) == 0 && !flags.count(argument)) {
            std::fprintf(stderr, "korvel-demo: unknown option %s\n%s", argv[i], kUsage);
            return 2;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const auto status = usageAnswer(argc, argv)) {
        return *status;
    }
    QApplication application(argc, argv);
    std::string root = korvel::defaultDemoRoot();
    int firstPage = 0;
    bool listGauge = false;
    bool smoke = false;
    QString viewName;
    std::string gaugeFault;
    const QStringList arguments = QApplication::arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--page" && i + 1 < arguments.size()) {
            firstPage = arguments[++i].toInt();
        } else if (arguments[i] == "--list-gauge") {
            listGauge = true;
        } else if (arguments[i] == "--smoke") {
            smoke = true;
        } else if (arguments[i] == "--view" && i + 1 < arguments.size()) {
            viewName = arguments[++i];
        } else if (arguments[i] == "--gauge-fault" && i + 1 < arguments.size()) {
            gaugeFault = arguments[++i].toStdString();
        } else {
            root = arguments[i].toStdString();
        }
    }
    const korvel::DemoFolders folders = korvel::demoFolders(root);
    std::string error;
    // Every fault name of either mode: the fault of the mode the gauge is plugged in in applies.
    const auto fault = korvel::sim::parseGaugeFault(gaugeFault, true);
    if (!gaugeFault.empty() && !fault) {
        return refuseToStart("Unknown gauge fault " + gaugeFault + ": see docs/gauge-faults.md.");
    }
    if (!korvel::prepareDemo(folders, demoResources(), error)) {
        return refuseToStart("The demo folder " + root + " cannot be prepared: " + error);
    }

    korvel::RealClock clock;
    auto gauge = std::make_shared<korvel::sim::SimulatedGauge>(folders.gaugeLog);
    korvel::sim::teachVelocities(*gauge, korvel::sim::velocityFileIn(folders.gaugeLog));
    auto upgradeMode = std::make_shared<korvel::sim::BootModeGauge>();
    const auto port =
        std::make_unique<korvel::UsbPort>(korvel::sim::plugInAlone(gauge, clock), clock);
    if (fault) {
        korvel::sim::applyGaugeFault(*fault, gauge.get(), upgradeMode.get());
    }
    korvel::installUsbPort(*port);

    korvel::setCurrentDirectory(folders.work);
    korvel::PalimarApp app;
    app.startup(folders.work, folders.system);
    if (!korvel::seedDemoHistory(app.settingsFolder(), app.settingsFile(), error)) {
        std::fprintf(stderr, "korvel-demo: the demo's inspection history is not made: %s\n",
                     error.c_str());
    }
    return korvel::runProgram(korvel::PageContext{app, {}}, [&](korvel::COptionSheet* sheet) {
        sheet->setCurrentPage(firstPage);
        auto* panel = new korvel::DemoGaugePanel(app.texts(), gauge, upgradeMode, sheet);
        QTimer::singleShot(0, panel, [panel, sheet, listGauge, viewName, smoke] {
            panel->show();
            panel->move(korvel::panelPlace(sheet->frameGeometry(), panel->frameGeometry().size(),
                                           sheet->screen()->availableGeometry()));
            auto* transfer = qobject_cast<korvel::CFileTransferPage*>(sheet->currentPage());
            if (listGauge && transfer) {
                transfer->refreshGaugeList();
            }
            if (!viewName.isEmpty() && transfer) {
                transfer->openDataViewOf(viewName);
            }
            if (smoke) {
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            }
        });
    });
}
