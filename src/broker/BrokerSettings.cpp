#include "broker/BrokerSettings.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "core/Profile.h"

namespace tc {

namespace {

std::optional<int> portOf(const std::string& text) {
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    const int port = std::stoi(text);
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}

}  // namespace

std::optional<BrokerSettings> BrokerSettings::read(Profile& profile, const std::optional<std::string>& mqttOption,
                                                   std::string& problem) {
    auto get = [&](const char* key) { return profile.GetString(kSection, key, ""); };
    BrokerSettings s;
    s.cafile = get("CAFILE");
    s.port = s.cafile.empty() ? 1883 : 8883;
    std::string host = get("HOST"), port = get("PORT");
    if (mqttOption) {
        // HOST or HOST:PORT (a bare IPv6 address has more than one colon: no port)
        const std::string& given = *mqttOption;
        const auto colon = given.rfind(':');
        const bool withPort = colon != std::string::npos && given.find(':') == colon;
        host = withPort ? given.substr(0, colon) : given;
        port = withPort ? given.substr(colon + 1) : std::string();
        if (withPort && port.empty()) port = "(none)";
    }
    if (host.empty()) return std::nullopt;
    s.host = host;
    if (!port.empty()) {
        auto p = portOf(port);
        if (!p) {
            problem = "the broker's port '" + port + "' is not a port from 1 to 65535";
            return std::nullopt;
        }
        s.port = *p;
    }
    s.username = get("USERNAME");
    s.password = get("PASSWORD");
    if (auto file = get("PASSWORD_FILE"); !file.empty()) {
        std::ifstream in(file);
        if (!in || !std::getline(in, s.password)) {
            problem = "the broker's password file " + file + " cannot be read";
            return std::nullopt;
        }
        if (!s.password.empty() && s.password.back() == '\r') s.password.pop_back();
    }
    s.topic = get("TOPIC");
    std::string control = get("CONTROL");
    std::transform(control.begin(), control.end(), control.begin(), [](unsigned char c) { return std::tolower(c); });
    s.control = control == "yes";
    return s;
}

std::string BrokerSettings::topicFor(const std::string& callsign) const {
    std::string t = topic.empty() ? "tailchime/" + callsign : topic;
    while (!t.empty() && t.back() == '/') t.pop_back();
    return t;
}

}  // namespace tc
