#include "web/WebSettings.h"

#include <algorithm>
#include <cctype>

#include "core/Profile.h"

namespace tc {

namespace {

std::optional<int> portOf(const std::string& text) {
    if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), [](unsigned char c) {
            return std::isdigit(c);
        }))
        return std::nullopt;
    int port = std::stoi(text);
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::optional<ListenAt> parseListenAt(const std::string& text, const std::string& defaultAddress) {
    ListenAt at{defaultAddress, 0};
    std::string port = text;
    if (!text.empty() && text.front() == '[') {
        auto close = text.find("]:");
        if (close == std::string::npos || close == 1) return std::nullopt;
        at.address = text.substr(1, close - 1);
        port = text.substr(close + 2);
    } else if (auto colon = text.rfind(':'); colon != std::string::npos) {
        at.address = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (at.address.empty() || at.address.find(':') != std::string::npos) return std::nullopt;
    }
    auto p = portOf(port);
    if (!p) return std::nullopt;
    at.port = *p;
    return at;
}

WebSettings WebSettings::read(Profile& profile) {
    WebSettings s;
    auto get = [&](const char* key) { return profile.GetString(kSection, key, ""); };
    if (auto address = get("ADDRESS"); !address.empty()) s.address = address;
    if (auto port = portOf(get("PORT"))) s.port = *port;
    s.viewOpen = lower(get("VIEW")) == "open";
    s.passwordHash = get("PASSWORD");
    s.cert = get("CERT");
    s.key = get("KEY");
    s.metricsTokenHash = get("METRICS_TOKEN");
    s.hosts = get("HOSTS");
    return s;
}

}  // namespace tc
