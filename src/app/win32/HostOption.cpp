#include "app/win32/HostOption.h"

namespace tc::win32 {

bool hostOptionsFit(const Options& options, std::string& problem) {
    const bool beside = options.host && *options.host == kHostName;
    if (options.host && !beside && *options.host != kSimulatedHost)
        problem = "unknown host '" + *options.host + "' (the host is " + kHostName + " or " + kSimulatedHost + ")";
    else if (beside && options.headlessScript)
        problem = "--host echolink and --headless exclude each other: a script runs on the simulated station";
    else if (options.virtualTime || options.trace)
        problem = "--virtual-time and --trace belong to --headless runs";
    else if (beside && options.callsign)
        problem = "--callsign names the simulated station (--host simulated); beside the node program the call "
                  "sign is the node's";
    else if (options.screenshotDir)
        problem = "--screenshot is not offered by the Windows program; scripts/screenshots.sh takes its pictures";
    return problem.empty();
}

}  // namespace tc::win32
