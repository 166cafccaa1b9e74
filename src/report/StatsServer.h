#pragma once
#include <string>

#include "report/HttpTransport.h"

namespace tc {

// Where the usage report goes. The maker's server by default; a station
// can point it at its own with "--stats-server HOST[:PORT]".
struct StatsServer {
    static constexpr const char* kDefaultHost = "stats.tailchime.example";

    std::string host = kDefaultHost;
    int port = kDefaultHttpPort;
};

// Reads "HOST", "HOST:PORT", "[IPv6]" or "[IPv6]:PORT". A host name holds
// letters, digits, "-", "." and "_" only, so that nothing in it can change
// where the request goes; the port is 1 to 65535, 80 when left out.
// Throws std::invalid_argument with a message that names the problem.
StatsServer parseStatsServer(const std::string& text);

}  // namespace tc
