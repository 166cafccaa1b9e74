#include "program/hamlib/RadioChoice.h"

#include "hostlink/SimulatedStation.h"
#include "hostlink/hamlib/RigDevice.h"

namespace tc {

std::optional<HostMaker> radioHost(RigConfig config, RigStation::CwVoice voice, std::string& problem) {
    if (config.callsign.empty()) config.callsign = SimulatedStation::kDefaultCallsign;
    try {
        RigDevice check(config);
    } catch (const RigError& e) {
        problem = e.what();
        return std::nullopt;
    }
    return HostMaker([config, voice = std::move(voice)](const HostParts& parts) {
        auto station = std::make_unique<RigStation>(parts.loop, config, voice);
        for (auto* l : parts.listeners) station->addListener(l);
        return std::unique_ptr<HostLinkFactory>(std::move(station));
    });
}

}  // namespace tc
