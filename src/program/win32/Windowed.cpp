#include "program/win32/Windowed.h"

#include <commctrl.h>

#include <ostream>

#include "program/Station.h"
#include "ui/win32/WinEventLoop.h"
#include "core/Transcript.h"
#include "hostlink/SimulatedStation.h"
#include "ui/win32/MainWindow.h"
#include "program/win32/SimulatorWindow.h"
#include "program/win32/WebPageDialog.h"
#include "ui/win32/WindowsDesktop.h"

namespace tc::win32 {

int runWindowed(const Options& options, const std::string& configDir, const Platform& platform, std::ostream& out,
                const std::string& notice) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    out << std::unitbuf;  // each line as it happens: the run may be ended from outside
    WinEventLoop loop;
    Transcript transcript(out, [&loop] { return loop.nowMs(); });

    WindowsDesktop desktop(
        loop, Station::previousInstance(platform, configDir),
        {[&](const std::string& text, int style, const std::string& title) {
             transcript.line("message " + std::to_string(style) + " " + Transcript::quoted(title) + " " +
                             Transcript::quoted(text));
         },
         [&](const std::string& filter, const std::string& answer) {
             transcript.line("dialog " + Transcript::quoted(filter) + " " + Transcript::quoted(answer));
         },
         [&] {
             transcript.line("exit");
             loop.stop();
         }});
    MainWindow* shown = nullptr;
    Station::Choices choices;
    choices.host = options.host.value_or(kSimulatedHost);
    choices.configDir = configDir;
    choices.callsign = options.callsign.value_or("");
    choices.stopSignals = false;  // a Windows program is ended by its windows and the host
    Station station(platform, choices, {loop, desktop, transcript, nullptr, [&shown] {
                                            if (shown) shown->refresh();
                                        }});
    Form21& form = station.form();
    MainWindow window(form.panel, form, loop);
    shown = &window;
    std::unique_ptr<WebPageDialog> webPage;
    window.addMenuItem("Web page...", [&] {
        if (!webPage) webPage = std::make_unique<WebPageDialog>(form.settingsFile());
        webPage->present(window.handle());
    });
    desktop.setHandlerRunner([&form](const std::function<void()>& handler) { form.run(handler); });
    std::unique_ptr<SimulatorWindow> simulator;
    if (station.simulated()) simulator = std::make_unique<SimulatorWindow>(*station.simulated(), loop);
    if (!notice.empty()) {
        window.setTitleNote(" - " + notice);
        if (simulator) simulator->note(notice);
    }

    if (!station.start()) return 0;
    window.refresh();
    window.show();
    desktop.setMainWindow(window.handle());
    if (simulator) simulator->showBeside(window.handle());
    loop.run();
    return 0;
}

}  // namespace tc::win32
