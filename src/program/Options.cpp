#include "program/Options.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tc {

const char* const kUsage =
    "usage: tailchime [OPTION]...                 the windows, on the station's host (see --host)\n"
    "       tailchime --headless SCRIPT [OPTION]...  a station script, transcript on standard output\n"
    "       tailchime --host rig [OPTION]...          a real radio through Hamlib (Linux)\n"
    "options:\n"
    "  --headless SCRIPT          run the station script without windows\n"
    "  --virtual-time             with --headless: a simulated clock, the run ends at once\n"
    "  --trace                    with --headless or --no-window: indicator changes too\n"
    "  --config-dir DIR           the folder of tailchime.ini and the one-copy lock\n"
    "  --stats-server HOST[:PORT] where the usage report goes\n"
    "  --callsign CALL            the station's call sign (must contain '-')\n"
    "  --screenshot DIR           save pictures of the windows into DIR and end\n"
    "  --host simulated|echolink|rig  the host: the simulated station, the node program (Windows)\n"
    "                             or a radio (Linux). Without it, on Windows the node program\n"
    "                             when it is installed, else the simulated station; on Linux the\n"
    "                             radio of a [RIG] section, else the simulated station\n"
    "  --no-window                with --host rig: run unattended, a log line per doing on stderr\n"
    "  --rig-model N              Hamlib's rig model (2: a running rigctld)\n"
    "  --rig-file DEVICE|HOST:PORT  the rig's serial port, or rigctld's address\n"
    "  --ptt-type TYPE            how the transmitter is keyed: RIG, DTR, RTS, CM108, ...\n"
    "  --ptt-file DEVICE          the device keying the transmitter\n"
    "  --dcd-type TYPE            how the carrier is read: RIG, CD, CTS, DSR, CM108, ...\n"
    "  --dcd-file DEVICE          the device the carrier is read from\n"
    "  --serial-speed BAUD        the rig's serial speed\n"
    "  --tx-timeout SECONDS       release a transmission that runs longer (off unless set)\n"
    "  --cw-speed WPM             the speed of CW the program sends itself\n"
    "  --audio-device NAME        the sound card wired to the radio\n"
    "  --list-rigs                list Hamlib's rig models and end\n"
    "  --list-audio-devices       list the sound output devices and end\n"
    "  --web [ADDRESS:]PORT       serve the supervisory web page (default address 127.0.0.1)\n"
    "  --web-password             set the web page's password from standard input and end\n"
    "  --web-metrics-token        make a new bearer token for scrapers of /metrics, print it and end\n"
    "  --mqtt HOST[:PORT]         publish the station on a club's MQTT broker (see [MQTT])\n"
    "  --history                  with --virtual-time: keep the station's history too\n"
    "  --history-start YYYY-MM-DD with --history: the day (UTC) the script's time 0 falls on\n"
    "  --history-csv FILE         write the station's history to FILE as CSV and end\n"
    "  --version                  print the version and end\n"
    "  -h, --help                 print this help and end\n";

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
        {"--web", &o.web},                      {"--history-start", &o.historyStart},
        {"--history-csv", &o.historyCsv},       {"--mqtt", &o.mqtt},
    };
    const std::pair<const char*, bool*> switches[] = {
        {"--virtual-time", &o.virtualTime},
        {"--trace", &o.trace},
        {"--no-window", &o.noWindow},
        {"--list-rigs", &o.listRigs},
        {"--list-audio-devices", &o.listAudioDevices},
        {"--help", &o.help},
        {"-h", &o.help},
        {"--version", &o.version},
        {"--web-password", &o.webPassword},
        {"--web-metrics-token", &o.webMetricsToken},
        {"--history", &o.history},
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
