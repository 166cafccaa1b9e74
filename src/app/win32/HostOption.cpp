#include "app/win32/HostOption.h"

namespace tc::win32 {

const char* const kHostUsage =
    "       tailchime --host echolink [--config-dir DIR] [--stats-server HOST[:PORT]]\n";

std::optional<std::string> takeHostOption(std::vector<std::string>& args, std::string& problem) {
    std::optional<std::string> host;
    for (size_t i = 0; i < args.size();) {
        if (args[i] != "--host") {
            ++i;
            continue;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            problem = "--host needs a value";
            return std::nullopt;
        }
        if (args[i + 1] != kHostName) {
            problem = "unknown host '" + args[i + 1] + "' (the host is " + kHostName + ")";
            return std::nullopt;
        }
        host = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    }
    return host;
}

bool hostOptionsFit(const Options& options, std::string& problem) {
    if (options.headlessScript)
        problem = "--host and --headless exclude each other: a script runs on the simulated station";
    else if (options.virtualTime || options.trace || options.callsign)
        problem = "--virtual-time, --trace and --callsign belong to --headless runs";
    else if (options.screenshotDir)
        problem = "--screenshot needs the windows, which this station has not";
    return problem.empty();
}

}  // namespace tc::win32
