#include "headless/Runner.h"

#include <fstream>
#include <limits>
#include <sstream>

#include "app/Profile.h"
#include "app/StationLoop.h"
#include "headless/ControlState.h"
#include "headless/HeadlessDesktop.h"
#include "headless/Script.h"
#include "headless/Transcript.h"
#include "headless/TranscriptWriter.h"
#include "hostlink/SimulatedStation.h"

namespace tc {

namespace {

// How long a run goes on after its last statement when the script does
// not end it.
constexpr std::int64_t kRunOutMs = 10000;

std::optional<Script> loadScript(const std::string& path, std::ostream& err) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err << path << ": cannot read the script\n";
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    StationLoop blankLoop;
    Panel blankPanel(blankLoop);  // only to ask which names are controls
    ScriptVocabulary vocabulary{Form21::isClickable, Form21::isTypeable, Form21::isSlidable,
                                [&](std::string_view name) { return describeControl(blankPanel, name).has_value(); }};
    ScriptError error;
    auto script = parseScript(text.str(), vocabulary, error);
    if (!script) err << path << ":" << error.line << ": " << error.problem << "\n";
    return script;
}

// Carries out one statement of the script.
void perform(const Statement& s, Form21& form, SimulatedStation& station, HeadlessDesktop& desktop,
             StationLoop& loop, Transcript& transcript) {
    using K = Statement::Kind;
    switch (s.kind) {
        case K::Carrier: station.raiseCarrier(s.on); break;
        case K::Rx: station.raiseRX(s.on); break;
        case K::Chat: station.raiseChat(s.text); break;
        case K::Closing: station.raiseClosing(); break;
        case K::Click: form.click(s.name); break;
        case K::Type: form.type(s.name, s.text); break;
        case K::Slide: form.slide(s.name, s.value); break;
        case K::Dialog: desktop.queueDialogAnswer(s.text); break;
        case K::Close: form.closeRequest(); break;
        case K::Show: transcript.line("show " + s.name + " " + describeControl(form.panel, s.name).value_or("")); break;
        case K::End: loop.stop(); break;
    }
}

}  // namespace

int runHeadless(const HeadlessOptions& options, const Platform& platform, std::ostream& out,
                std::ostream& err) {
    auto script = loadScript(options.scriptPath, err);
    if (!script) return 2;

    StationLoop loop(options.virtualTime ? StationLoop::Pace::Virtual : StationLoop::Pace::Real);
    Transcript transcript(out, [&loop] { return loop.nowMs(); });
    TranscriptWriter writer(transcript, options.trace);

    SimulatedStation station(loop, script->callsign.value_or(options.callsign.value_or(SimulatedStation::kDefaultCallsign)));
    station.addListener(&writer);
    std::unique_ptr<StationListener> sound;
    if (!options.virtualTime && platform.stationSound) {
        sound = platform.stationSound();
        station.addListener(sound.get());
    }
    auto profile = platform.profile(options.configDir);
    HeadlessDesktop desktop(
        transcript,
        [&] { return platform.previousInstance && platform.previousInstance(options.configDir); },
        [&loop] { loop.stop(); });
    auto audio = platform.audio(loop, &writer, options.virtualTime);
    Form21::ReportSender report;
    if (platform.report) report = platform.report(loop, writer.reportLine());

    Form21 form({loop, station, *audio, desktop, *profile, platform.rfToneDefault, platform.inetToneDefault,
                 std::move(report), {}});
    writer.attach(form);

    // The statements wait on the loop for their time; the script's end
    // (or the run-out after its last statement) stops the run.
    std::int64_t last = 0;
    for (const Statement& s : script->statements) {
        loop.post(s.at, Lane::Outside, [&, s] { perform(s, form, station, desktop, loop, transcript); });
        last = s.at;
    }
    loop.post(last + kRunOutMs, Lane::Outside, [&loop] { loop.stop(); });

    form.load();
    if (!form.ended()) loop.runUntil(std::numeric_limits<std::int64_t>::max());
    return 0;
}

}  // namespace tc
