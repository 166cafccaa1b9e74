#pragma once
#include <string>

namespace tc {

// Where the usage report goes. The maker's server by default; a station
// can point it at its own with "--stats-server HOST[:PORT]".
struct StatsServer {
    static constexpr const char* kDefaultHost = "stats.tailchime.example";
    static constexpr int kHttpPort = 80;  // the HTTP service's own port

    std::string host = kDefaultHost;
    int port = 0;  // 0 for kHttpPort, as the client chooses it
};

// Reads "HOST", "HOST:PORT", "[IPv6]" or "[IPv6]:PORT". A host name holds
// letters, digits, "-", "." and "_" only, so that nothing in it can change
// where the request goes; the port is 1 to 65535, or 0 when left out: the
// client then takes the HTTP service's default port.
// Throws std::invalid_argument with a message that names the problem.
StatsServer parseStatsServer(const std::string& text);

}  // namespace tc
