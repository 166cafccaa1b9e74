#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tc {

// A radio as Tailchime's host, in the words of Hamlib's own tools; each
// choice given here overrides the one in the settings file's [RIG] section.
struct RigOptions {
    std::optional<std::string> model;        // --rig-model N
    std::optional<std::string> file;         // --rig-file DEVICE|HOST:PORT
    std::optional<std::string> pttType;      // --ptt-type
    std::optional<std::string> pttFile;      // --ptt-file
    std::optional<std::string> dcdType;      // --dcd-type
    std::optional<std::string> dcdFile;      // --dcd-file
    std::optional<std::string> serialSpeed;  // --serial-speed
    std::optional<std::string> txTimeout;    // --tx-timeout SECONDS
    std::optional<std::string> cwSpeed;      // --cw-speed WPM
};

// The command line of the program, windowed or headless.
struct Options {
    std::optional<std::string> headlessScript;  // --headless SCRIPT
    bool virtualTime = false;                   // --virtual-time
    std::optional<std::string> configDir;       // --config-dir DIR
    std::optional<std::string> statsServer;     // --stats-server HOST[:PORT]
    std::optional<std::string> callsign;        // --callsign CALL
    bool trace = false;                         // --trace
    std::optional<std::string> screenshotDir;   // --screenshot DIR (windowed)
    std::optional<std::string> host;            // --host simulated|echolink|rig
    bool help = false;                          // --help
    bool version = false;                       // --version
    RigOptions rig;                             // --host rig
    bool noWindow = false;                      // --no-window (a station with a radio)
    std::optional<std::string> audioDevice;     // --audio-device NAME
    bool listRigs = false;                      // --list-rigs
    bool listAudioDevices = false;              // --list-audio-devices
    std::optional<std::string> web;             // --web [ADDRESS:]PORT
    bool webPassword = false;                   // --web-password
    bool webMetricsToken = false;               // --web-metrics-token
    std::optional<std::string> mqtt;            // --mqtt HOST[:PORT]
    bool history = false;                       // --history (a script on virtual time)
    std::optional<std::string> historyStart;    // --history-start YYYY-MM-DD
    std::optional<std::string> historyCsv;      // --history-csv FILE
};

// Reads the arguments after the program name. On failure returns nullopt
// and sets problem to a one-line explanation.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& problem);

extern const char* const kUsage;

}  // namespace tc
