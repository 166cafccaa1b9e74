#pragma once
#include <optional>
#include <string>

namespace tc {

class Profile;

// Where the station's bridge to a club's broker (MQTT) goes: section [MQTT]
// of tailchime.ini, with --mqtt HOST[:PORT] over its HOST and PORT.
//   HOST, PORT        the broker (port 1883, or 8883 with CAFILE)
//   USERNAME          the station's user at the broker
//   PASSWORD          its password, or PASSWORD_FILE: a file whose first
//                     line is the password (kept out of tailchime.ini)
//   CAFILE            the broker's CA certificate: the connection is TLS
//   TOPIC             the station's topics (default tailchime/CALLSIGN)
//   CONTROL           "yes": commands on TOPIC/set are obeyed
struct BrokerSettings {
    static constexpr const char* kSection = "MQTT";

    std::string host;
    int port = 1883;
    std::string username, password;
    std::string cafile;
    std::string topic;  // "" for the default
    bool control = false;

    // No host, no bridge: nothing, and no problem. A bad setting (a port
    // that is no port, a password file that cannot be read) gives nothing
    // with the problem set.
    static std::optional<BrokerSettings> read(Profile& profile, const std::optional<std::string>& mqttOption,
                                              std::string& problem);
    std::string topicFor(const std::string& callsign) const;
};

}  // namespace tc
