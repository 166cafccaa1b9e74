#include "program/Station.h"

#include "core/Profile.h"
#include "hostlink/SimulatedStation.h"
#include "core/AudioGraph.h"

namespace tc {

Station::Station(const Platform& platform, const Choices& choices, Front front)
    : doings_(front.log, choices.trace), radioNews_(front.radioLog ? *front.radioLog : front.log) {
    if (choices.stopSignals) {
        stopSignals_.emplace(front.loop, [this] {
            if (running_) running_->releaseAndClose();
            return running_ != nullptr;
        });
    }
    // The simulated station's CW sounds on the real clock (where there is a sound output).
    if (choices.host == kSimulatedHost && !choices.virtualTime && platform.stationSound) sound_ = platform.stationSound();
    HostParts parts{front.loop, {&doings_, &radioNews_, &radioEvents_}, choices.callsign};
    if (sound_) parts.listeners.push_back(sound_.get());
    host_ = platform.hosts.at(choices.host)(parts);
    simulated_ = dynamic_cast<SimulatedStation*>(host_.get());

    audio_ = platform.audio(front.loop, &doings_, choices.virtualTime);
    profile_ = platform.profile(choices.configDir);
    ReportSender report;
    if (choices.report && platform.report) report = platform.report(front.loop);
    form_ = std::make_unique<Form21>(Form21::Ports{front.loop, *host_, *audio_, front.desktop, *profile_,
                                                   platform.rfToneDefault, platform.inetToneDefault,
                                                   std::move(report), std::move(front.afterHandler)});
    doings_.attach(form_->panel, form_->events);
    radioEvents_.events = &form_->events;
    running_ = form_.get();
    if (platform.supervise)
        startSupervision_ = [this, supervise = platform.supervise, &loop = front.loop, &log = front.log,
                             virtualTime = choices.virtualTime] {
            supervision_ = supervise(*form_, loop, log, virtualTime);
        };
}

bool Station::start() {
    form_->load();
    if (form_->ended()) return false;
    if (startSupervision_) startSupervision_();
    return true;
}

Station::~Station() {
    supervision_.reset();
    running_ = nullptr;
    radioEvents_.events = nullptr;
}

std::function<bool()> Station::previousInstance(const Platform& platform, const std::string& configDir) {
    return [&platform, configDir] { return platform.previousInstance && platform.previousInstance(configDir); };
}

}  // namespace tc
