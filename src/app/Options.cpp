#include "app/Options.h"

namespace tc {

const char* const kUsage =
    "usage: tailchime [--config-dir DIR] [--stats-server HOST[:PORT]] [--callsign CALL] [--screenshot DIR]\n"
    "       tailchime --headless SCRIPT [--virtual-time] [--config-dir DIR] [--stats-server HOST[:PORT]]\n"
    "                 [--callsign CALL] [--trace]\n"
    "       tailchime --host echolink [--config-dir DIR] [--stats-server HOST[:PORT]]   (Windows)\n"
    "       tailchime --host rig [--no-window [--trace] | --headless SCRIPT] [--rig-model N] [--rig-file DEVICE|HOST:PORT]\n"
    "                 [--ptt-type TYPE] [--ptt-file DEVICE] [--dcd-type TYPE] [--dcd-file DEVICE]\n"
    "                 [--serial-speed BAUD] [--tx-timeout SECONDS] [--cw-speed WPM] [--callsign CALL]\n"
    "                 [--audio-device NAME] [--config-dir DIR] [--stats-server HOST[:PORT]]   (Linux)\n"
    "       tailchime --list-rigs | --list-audio-devices\n";

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
        else if (a == "--rig-model")
            ok = value(o.rig.model);
        else if (a == "--rig-file")
            ok = value(o.rig.file);
        else if (a == "--ptt-type")
            ok = value(o.rig.pttType);
        else if (a == "--ptt-file")
            ok = value(o.rig.pttFile);
        else if (a == "--dcd-type")
            ok = value(o.rig.dcdType);
        else if (a == "--dcd-file")
            ok = value(o.rig.dcdFile);
        else if (a == "--serial-speed")
            ok = value(o.rig.serialSpeed);
        else if (a == "--tx-timeout")
            ok = value(o.rig.txTimeout);
        else if (a == "--cw-speed")
            ok = value(o.rig.cwSpeed);
        else if (a == "--audio-device")
            ok = value(o.audioDevice);
        else if (a == "--no-window")
            o.noWindow = true;
        else if (a == "--list-rigs")
            o.listRigs = true;
        else if (a == "--list-audio-devices")
            o.listAudioDevices = true;
        else if (a == "--virtual-time")
            o.virtualTime = true;
        else if (a == "--trace")
            o.trace = true;
        else if (a == "--help" || a == "-h")
            o.help = true;
        else {
            problem = "unknown option '" + a + "'";
            ok = false;
        }
        if (!ok) return std::nullopt;
    }
    return o;
}

}  // namespace tc
