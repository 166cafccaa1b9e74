#include "program/hamlib/RadioChoice.h"

#include <mutex>

#include "hostlink/SimulatedStation.h"
#include "hostlink/hamlib/RigDevice.h"

namespace tc {

namespace {

// The voice, made once: ahead, or on the radio's thread at its first text.
class Voice {
public:
    explicit Voice(std::function<RigStation::CwVoice()> make) : make_(std::move(make)) {}
    const RigStation::CwVoice& get() {
        std::call_once(made_, [this] { voice_ = make_(); });
        return voice_;
    }

private:
    std::function<RigStation::CwVoice()> make_;
    std::once_flag made_;
    RigStation::CwVoice voice_;
};

}  // namespace

std::optional<HostMaker> radioHost(RigConfig config, std::function<RigStation::CwVoice()> makeVoice,
                                   std::string& problem) {
    if (config.callsign.empty()) config.callsign = SimulatedStation::kDefaultCallsign;
    auto voice = std::make_shared<Voice>(std::move(makeVoice));
    try {
        RigDevice check(config);
        if (!check.hasKeyer()) voice->get();
    } catch (const RigError& e) {
        problem = e.what();
        return std::nullopt;
    }
    return HostMaker([config, voice](const HostParts& parts) {
        auto sound = [voice](const std::string& text, int wpm) {
            const RigStation::CwVoice& v = voice->get();
            return v && v(text, wpm);
        };
        auto station = std::make_unique<RigStation>(parts.loop, config, sound);
        for (auto* l : parts.listeners) station->addListener(l);
        return std::unique_ptr<HostLinkFactory>(std::move(station));
    });
}

}  // namespace tc
