#include "app/win32/HostOption.h"

namespace tc::win32 {

bool hostOptionsFit(const Options& options, std::string& problem) {
    if (options.host && *options.host != kHostName)
        problem = "unknown host '" + *options.host + "' (the host is " + kHostName + ")";
    else if (options.host && options.headlessScript)
        problem = "--host and --headless exclude each other: a script runs on the simulated station";
    else if (options.virtualTime || options.trace)
        problem = "--virtual-time and --trace belong to --headless runs";
    else if (options.host && options.callsign)
        problem = "--callsign names the simulated station; beside the host the call sign is the host's";
    else if (options.screenshotDir)
        problem = "--screenshot is not offered by the Windows program; scripts/screenshots.sh takes its pictures";
    return problem.empty();
}

}  // namespace tc::win32
