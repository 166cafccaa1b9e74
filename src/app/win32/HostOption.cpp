#include "app/win32/HostOption.h"

namespace tc::win32 {

bool hostOptionsFit(const Options& options, std::string& problem) {
    if (options.host && *options.host != kHostName)
        problem = "unknown host '" + *options.host + "' (the host is " + kHostName + ")";
    else if (options.headlessScript)
        problem = "--host and --headless exclude each other: a script runs on the simulated station";
    else if (options.virtualTime || options.trace || options.callsign)
        problem = "--virtual-time, --trace and --callsign belong to --headless runs";
    else if (options.screenshotDir)
        problem = "--screenshot needs the windows, which this station has not";
    return problem.empty();
}

}  // namespace tc::win32
