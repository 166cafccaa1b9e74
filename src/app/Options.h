#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tc {

// The command line of the program, windowed or headless.
struct Options {
    std::optional<std::string> headlessScript;  // --headless SCRIPT
    bool virtualTime = false;                   // --virtual-time
    std::optional<std::string> configDir;       // --config-dir DIR
    std::optional<std::string> statsServer;     // --stats-server HOST[:PORT]
    std::optional<std::string> callsign;        // --callsign CALL
    bool trace = false;                         // --trace
    std::optional<std::string> screenshotDir;   // --screenshot DIR (windowed)
    std::optional<std::string> host;            // --host echolink (beside the real host)
    bool help = false;                          // --help
    bool version = false;                       // --version
};

// Reads the arguments after the program name. On failure returns nullopt
// and sets problem to a one-line explanation.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& problem);

extern const char* const kUsage;

}  // namespace tc
