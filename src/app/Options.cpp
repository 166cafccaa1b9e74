#include "app/Options.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tc {

const char* const kUsage =
    "usage: tailchime [--config-dir DIR] [--stats-server HOST[:PORT]] [--callsign CALL] [--screenshot DIR]\n"
    "       tailchime --headless SCRIPT [--virtual-time] [--config-dir DIR] [--stats-server HOST[:PORT]]\n"
    "                 [--callsign CALL] [--trace]\n"
    "       tailchime --host echolink [--config-dir DIR] [--stats-server HOST[:PORT]]   (Windows)\n"
    "       tailchime --host rig [--no-window [--trace] | --headless SCRIPT] [--rig-model N]\n"
    "                 [--rig-file DEVICE|HOST:PORT] [--ptt-type TYPE] [--ptt-file DEVICE] [--dcd-type TYPE]\n"
    "                 [--dcd-file DEVICE] [--serial-speed BAUD] [--tx-timeout SECONDS] [--cw-speed WPM]\n"
    "                 [--callsign CALL] [--audio-device NAME] [--config-dir DIR] [--stats-server HOST[:PORT]]\n"
    "                 (Linux)\n"
    "       tailchime --list-rigs | --list-audio-devices\n";

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& problem) {
    Options o;
    const std::pair<const char*, std::optional<std::string>*> values[] = {
        {"--headless", &o.headlessScript},      {"--config-dir", &o.configDir},
        {"--stats-server", &o.statsServer},     {"--callsign", &o.callsign},
        {"--screenshot", &o.screenshotDir},     {"--host", &o.host},
        {"--rig-model", &o.rig.model},          {"--rig-file", &o.rig.file},
        {"--ptt-type", &o.rig.pttType},         {"--ptt-file", &o.rig.pttFile},
        {"--dcd-type", &o.rig.dcdType},         {"--dcd-file", &o.rig.dcdFile},
        {"--serial-speed", &o.rig.serialSpeed}, {"--tx-timeout", &o.rig.txTimeout},
        {"--cw-speed", &o.rig.cwSpeed},         {"--audio-device", &o.audioDevice},
    };
    const std::pair<const char*, bool*> switches[] = {
        {"--virtual-time", &o.virtualTime},
        {"--trace", &o.trace},
        {"--no-window", &o.noWindow},
        {"--list-rigs", &o.listRigs},
        {"--list-audio-devices", &o.listAudioDevices},
        {"--help", &o.help},
        {"-h", &o.help},
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = std::find_if(std::begin(values), std::end(values), [&](const auto& v) { return a == v.first; });
        auto flag = std::find_if(std::begin(switches), std::end(switches), [&](const auto& s) { return a == s.first; });
        if (value != std::end(values)) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                problem = a + " needs a value";
                return std::nullopt;
            }
            *value->second = args[++i];
        } else if (flag != std::end(switches)) {
            *flag->second = true;
        } else {
            problem = "unknown option '" + a + "'";
            return std::nullopt;
        }
    }
    return o;
}

}  // namespace tc
