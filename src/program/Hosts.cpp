#include "program/Hosts.h"

#include "hostlink/SimulatedStation.h"

namespace tc {

HostTable withSimulatedHost(HostTable hosts) {
    hosts[kSimulatedHost] = [](const HostParts& parts) {
        auto station = std::make_unique<SimulatedStation>(
            parts.loop, parts.callsign.empty() ? SimulatedStation::kDefaultCallsign : parts.callsign);
        for (auto* l : parts.listeners) station->addListener(l);
        return std::unique_ptr<HostLinkFactory>(std::move(station));
    };
    return hosts;
}

namespace {

// "a, b and c".
std::string names(const HostTable& hosts) {
    std::string list;
    size_t left = hosts.size();
    for (const auto& entry : hosts) {
        list += entry.first;
        --left;
        list += left > 1 ? ", " : left == 1 ? " and " : "";
    }
    return list;
}

}  // namespace

std::optional<std::string> chooseHost(const Options& options, const HostTable& hosts, const std::string& preferred,
                                      std::string& problem) {
    const std::string host = options.host.value_or(preferred);
    if (!hosts.contains(host))
        problem = "unknown host '" + host + "' (the hosts here: " + names(hosts) + ")";
    else if (options.headlessScript && host != kSimulatedHost && host != kRadioHost)
        problem = "--host " + host + " and --headless exclude each other: a script runs on the simulated station";
    else if (options.callsign && host == kNodeProgramHost)
        problem = "--callsign names the simulated station (--host simulated); beside the node program the call "
                  "sign is the node's";
    if (!problem.empty()) return std::nullopt;
    return host;
}

}  // namespace tc
