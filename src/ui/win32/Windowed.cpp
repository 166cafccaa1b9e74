#include "ui/win32/Windowed.h"

#include <commctrl.h>

#include <ostream>

#include "app/Form21.h"
#include "app/Profile.h"
#include "app/win32/HostOption.h"
#include "app/win32/WinEventLoop.h"
#include "headless/Transcript.h"
#include "headless/TranscriptWriter.h"
#include "hostlink/SimulatedStation.h"
#include "transmit/AudioGraph.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/SimulatorWindow.h"
#include "ui/win32/WindowsDesktop.h"

namespace tc::win32 {

int runWindowed(const Options& options, const std::string& configDir, const Platform& platform, std::ostream& out,
                const std::string& notice) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    out << std::unitbuf;  // each line as it happens: the run may be ended from outside
    WinEventLoop loop;
    Transcript transcript(out, [&loop] { return loop.nowMs(); });
    TranscriptWriter writer(transcript, false);

    // The node program, else the simulated station and its window.
    std::unique_ptr<HostLinkFactory> hostProgram =
        options.host == kHostName && platform.hostProgram ? platform.hostProgram(loop) : nullptr;
    SimulatedStation station(loop, options.callsign.value_or(SimulatedStation::kDefaultCallsign));
    if (!hostProgram) station.addListener(&writer);
    HostLinkFactory& hosts = hostProgram ? *hostProgram : static_cast<HostLinkFactory&>(station);

    std::unique_ptr<AudioGraphFactory> audio = platform.audio(loop, &writer, false);
    std::unique_ptr<Profile> profile = platform.profile(configDir);
    WindowsDesktop desktop(
        loop, [&] { return platform.previousInstance && platform.previousInstance(configDir); },
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
    Form21 form({loop, hosts, *audio, desktop, *profile, platform.rfToneDefault, platform.inetToneDefault,
                 platform.report ? platform.report(loop, writer.reportLine()) : Form21::ReportSender{}, [&shown] {
                     if (shown) shown->refresh();
                 }});
    writer.attach(form);
    MainWindow window(form, loop);
    shown = &window;
    desktop.setHandlerRunner([&form](const std::function<void()>& handler) { form.run(handler); });
    std::unique_ptr<SimulatorWindow> simulator;
    if (!hostProgram) simulator = std::make_unique<SimulatorWindow>(station, loop);
    if (!notice.empty()) {
        window.setTitleNote(" - " + notice);
        if (simulator) simulator->note(notice);
    }

    form.load();
    if (form.ended()) return 0;
    window.refresh();
    window.show();
    desktop.setMainWindow(window.handle());
    if (simulator) simulator->showBeside(window.handle());
    loop.run();
    return 0;
}

}  // namespace tc::win32
