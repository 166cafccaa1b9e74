#include "hostlink/hamlib/RadioChoice.h"

#include "app/Profile.h"
#include "hostlink/SimulatedStation.h"
#include "hostlink/hamlib/RigDevice.h"

namespace tc {

bool chooseRadio(const Options& options, const std::string& configDir, Platform& platform, std::string& problem,
                 const RadioParts& parts) {
    std::unique_ptr<Profile> profile = platform.profile(configDir);
    const bool chosen = radioChosen(options, *profile);
    std::string device = options.audioDevice.value_or(chosen ? profile->GetString(kRigSection, "AUDIODEVICE", "") : "");
    if (!device.empty() && parts.audioDevice) parts.audioDevice(device);
    if (!chosen) return true;

    auto config = readRigConfig(options, *profile, problem);
    if (!config) return false;
    if (config->callsign.empty()) config->callsign = SimulatedStation::kDefaultCallsign;
    try {
        RigDevice check(*config);
    } catch (const RigError& e) {
        problem = e.what();
        return false;
    }
    platform.radio = [config = *config, voice = parts.voice](EventLoop& loop, std::vector<StationListener*> listeners) {
        auto station = std::make_unique<RigStation>(loop, config, voice);
        for (auto* l : listeners) station->addListener(l);
        return std::unique_ptr<HostLinkFactory>(std::move(station));
    };
    return true;
}

}  // namespace tc
