#include "program/qt/Windowed.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <iostream>

#include "program/Station.h"
#include "core/Transcript.h"
#include "hostlink/SimulatedStation.h"
#include "ui/qt/HeldEnd.h"
#include "ui/qt/Images.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtDesktop.h"
#include "ui/qt/QtEventLoop.h"
#include "program/qt/SimulatorWindow.h"

namespace tc {

namespace {

// Long enough for the first ticks of the status clock to set the lamps.
constexpr int kScreenshotDelayMs = 650;

bool saveScreenshots(const QString& folder, QWidget& main, QWidget& simulator) {
    if (!QDir().mkpath(folder)) return false;
    QDir dir(folder);
    return main.grab().save(dir.filePath(QStringLiteral("main-window.png"))) &&
           simulator.grab().save(dir.filePath(QStringLiteral("station-simulator.png")));
}

}  // namespace

int runWindowed(const Options& options, const std::string& configDir, const Platform& platform, int argc,
                char** argv) {
    // On X, Qt hands the window's pixels to the server through shared memory
    // and then waits for the server (a round trip through its reader thread)
    // before it paints again: for ten small antenna frames a second that
    // waiting costs more than sending the few pixels over the connection. An
    // operator's own setting stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    // The program ends only as the program says: by a close request on the
    // main window, a save-and-quit or the host closing.
    QApplication::setQuitOnLastWindowClosed(false);
    registerImages();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/tailchime.svg")));

    HeldEnd held;
    QtEventLoop loop(held);
    // What the station does goes to a log on stderr, one transcript line
    // each with the wall-clock time (and into the station simulator's log);
    // a radio's news goes there too.
    Transcript log(std::cerr, Transcript::wallClock);
    QtDesktop desktop(held, Station::previousInstance(platform, configDir));
    MainWindow* shown = nullptr;
    Station::Choices choices;
    choices.host = options.host.value_or(kSimulatedHost);
    choices.configDir = configDir;
    choices.callsign = options.callsign.value_or("");
    choices.report = !options.screenshotDir;
    Station station(platform, choices, {loop, desktop, log, nullptr, [&shown] {
                                            if (shown) shown->refresh();
                                        }});
    Form21& form = station.form();
    MainWindow window(form.panel, form, held);
    shown = &window;
    desktop.setMainWindow(&window);
    desktop.setHandlerRunner([&form](const std::function<void()>& handler) { form.run(handler); });
    std::unique_ptr<SimulatorWindow> simulator;
    Transcript::Subscription simulatorLog;
    if (station.simulated()) {
        simulator = std::make_unique<SimulatorWindow>(*station.simulated(), held);
        simulatorLog = log.follow([&simulator](const std::string& line) { simulator->record(line); });
        // A closed simulator comes back from the main window's context menu (or F2).
        auto* reopen = new QAction(QStringLiteral("Station simulator"), &window);
        reopen->setShortcut(Qt::Key_F2);
        QObject::connect(reopen, &QAction::triggered, &window, [&simulator] {
            simulator->show();
            simulator->raise();
            simulator->activateWindow();
        });
        window.addAction(reopen);
        window.setContextMenuPolicy(Qt::ActionsContextMenu);
    }


    if (!station.start() || held.held()) return 0;
    window.show();
    if (simulator) {
        simulator->placeBeside(window);
        simulator->show();
    }

    int status = 0;
    if (options.screenshotDir) {
        QTimer::singleShot(kScreenshotDelayMs, &window, [&] {
            QString folder = QString::fromStdString(*options.screenshotDir);
            if (!simulator || !saveScreenshots(folder, window, *simulator)) {
                std::cerr << "tailchime: cannot write the screenshots into " << *options.screenshotDir << "\n";
                status = 1;
            }
            QCoreApplication::exit(status);
        });
    }
    int result = QApplication::exec();
    return status ? status : result;
}

}  // namespace tc
