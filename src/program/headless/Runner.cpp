#include "program/headless/Runner.h"

#include <fstream>
#include <limits>
#include <sstream>

#include "program/Station.h"
#include "core/StationLoop.h"
#include "program/headless/ControlState.h"
#include "program/headless/HeadlessDesktop.h"
#include "program/headless/Script.h"
#include "core/Transcript.h"
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
    ScriptVocabulary vocabulary{[](std::string_view name) { return verbOf(name).has_value(); },
                                [](std::string_view name) { return fieldOf(name).has_value(); },
                                [](std::string_view name) { return sliderOf(name).has_value(); },
                                [&](std::string_view name) { return describeControl(blankPanel, name).has_value(); }};
    ScriptError error;
    auto script = parseScript(text.str(), vocabulary, error);
    if (!script) err << path << ":" << error.line << ": " << error.problem << "\n";
    return script;
}

bool raisesHostEvent(const Statement& s) {
    using K = Statement::Kind;
    return s.kind == K::Carrier || s.kind == K::Rx || s.kind == K::Chat || s.kind == K::Closing;
}

// With a radio as the host, its events come from the radio alone, and its
// call sign is the operator's setting.
bool fitsRadio(const Script& script, const std::string& path, std::ostream& err) {
    if (script.callsign) {
        err << path << ":" << script.callsignLine << ": a radio's call sign is the operator's setting "
            << "(--callsign, or CALLSIGN in [RIG]); a script cannot set it\n";
        return false;
    }
    for (const Statement& s : script.statements) {
        if (!raisesHostEvent(s)) continue;
        err << path << ":" << s.line << ": the radio raises the host's events in a run with a radio; "
            << "a script cannot raise them\n";
        return false;
    }
    return true;
}

// Carries out one statement of the script; the host's events are the
// simulated station's (a script for a radio raises none).
void perform(const Statement& s, Station& station, HeadlessDesktop& desktop, StationLoop& loop,
             Transcript& transcript) {
    using K = Statement::Kind;
    Form21& form = station.form();
    SimulatedStation* outside = station.simulated();
    switch (s.kind) {
        case K::Carrier: outside->raiseCarrier(s.on); break;
        case K::Rx: outside->raiseRX(s.on); break;
        case K::Chat: outside->raiseChat(s.text); break;
        case K::Closing: outside->raiseClosing(); break;
        case K::Click: form.click(s.name, Asker::Script); break;
        case K::Type: form.type(s.name, s.text, Asker::Script); break;
        case K::Slide: form.slide(s.name, s.value, Asker::Script); break;
        case K::Dialog: desktop.queueDialogAnswer(s.text); break;
        case K::Close: form.closeRequest(Asker::Script); break;
        case K::Show: transcript.line("show " + s.name + " " + describeControl(form.panel, s.name).value_or("")); break;
        case K::End: loop.stop(); break;
    }
}

}  // namespace

int runHeadless(const HeadlessOptions& options, const Platform& platform, std::ostream& out,
                std::ostream& err) {
    std::optional<Script> script = Script{};
    if (!options.unattended) script = loadScript(options.scriptPath, err);
    if (!script) return 2;
    const bool radio = options.host == kRadioHost;
    if (radio && !fitsRadio(*script, options.scriptPath, err)) return 2;

    const bool virtualTime = options.virtualTime && !radio;
    StationLoop loop(virtualTime ? StationLoop::Pace::Virtual : StationLoop::Pace::Real);
    // On the real clock each line goes out as it happens: someone may be watching.
    if (!virtualTime) out << std::unitbuf;
    Transcript transcript = options.unattended ? Transcript(out, Transcript::wallClock)
                                               : Transcript(out, [&loop] { return loop.nowMs(); });
    // A radio's news goes to err beside a script's transcript, into the log of an unattended station.
    Transcript radioTranscript(err, Transcript::wallClock);
    if (options.unattended && platform.realTime) {
        std::string told = platform.realTime();
        if (!told.empty()) transcript.line("station " + Transcript::quoted(told));
    }
    HeadlessDesktop desktop(transcript, Station::previousInstance(platform, options.configDir),
                            [&loop] { loop.stop(); });
    Station::Choices choices;
    choices.host = options.host;
    choices.configDir = options.configDir;
    choices.callsign = script->callsign.value_or(options.callsign.value_or(""));
    choices.virtualTime = virtualTime;
    choices.trace = options.trace;
    Station station(platform, choices,
                    {loop, desktop, transcript, options.unattended ? nullptr : &radioTranscript, {}});

    // The statements wait on the loop for their time; the script's end
    // (or the run-out after its last statement) stops the run. An
    // unattended station runs until it ends.
    std::int64_t last = 0;
    for (const Statement& s : script->statements) {
        loop.post(s.at, Lane::Outside, [&, s] { perform(s, station, desktop, loop, transcript); });
        last = s.at;
    }
    if (!options.unattended) loop.post(last + kRunOutMs, Lane::Outside, [&loop] { loop.stop(); });

    if (station.start()) loop.runUntil(std::numeric_limits<std::int64_t>::max());
    return 0;
}

}  // namespace tc
