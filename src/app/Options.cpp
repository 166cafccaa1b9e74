#include "app/Options.h"

namespace tc {

const char* const kUsage =
    "usage: tailchime [--config-dir DIR] [--stats-server HOST[:PORT]] [--callsign CALL] [--screenshot DIR]\n"
    "       tailchime --headless SCRIPT [--virtual-time] [--config-dir DIR] [--stats-server HOST[:PORT]]\n"
    "                 [--callsign CALL] [--trace]\n"
    "       tailchime --host echolink [--config-dir DIR] [--stats-server HOST[:PORT]]   (Windows)\n";

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& problem) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::optional<std::string>& into) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                problem = a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        bool ok = true;
        if (a == "--headless")
            ok = value(o.headlessScript);
        else if (a == "--config-dir")
            ok = value(o.configDir);
        else if (a == "--stats-server")
            ok = value(o.statsServer);
        else if (a == "--callsign")
            ok = value(o.callsign);
        else if (a == "--screenshot")
            ok = value(o.screenshotDir);
        else if (a == "--host")
            ok = value(o.host);
        else if (a == "--virtual-time")
            o.virtualTime = true;
        else if (a == "--trace")
            o.trace = true;
        else if (a == "--help" || a == "-h")
            o.help = true;
        else if (a == "--version")
            o.version = true;
        else {
            problem = "unknown option '" + a + "'";
            ok = false;
        }
        if (!ok) return std::nullopt;
    }
    return o;
}

}  // namespace tc
