#include "web/ServedHosts.h"

#include <algorithm>
#include <cctype>

namespace tc {

namespace {

std::string plain(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    name.erase(0, std::min(name.find_first_not_of(' '), name.size()));
    return name;
}

// The host of "name", "name:port", "1.2.3.4:port", "[::1]:port".
std::string hostOf(const std::string& header) {
    if (!header.empty() && header.front() == '[') {
        const auto close = header.find(']');
        return close == std::string::npos ? "" : header.substr(1, close - 1);
    }
    const auto colon = header.find(':');
    if (colon != std::string::npos && header.find(':', colon + 1) != std::string::npos) return "";  // bare IPv6
    return header.substr(0, colon);
}

bool isAddress(const std::string& host) {
    const bool v4 = !host.empty() && host.find_first_not_of("0123456789.") == std::string::npos;
    const bool v6 = host.find(':') != std::string::npos && host.find_first_not_of("0123456789abcdef:.") == std::string::npos;
    return v4 || v6;
}

}  // namespace

std::vector<std::string> hostNames(const std::string& list) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at <= list.size()) {
        const auto comma = std::min(list.find(',', at), list.size());
        if (std::string name = plain(list.substr(at, comma - at)); !name.empty()) names.push_back(name);
        at = comma + 1;
    }
    return names;
}

ServedHosts::ServedHosts(const std::string& listenAddress, const std::vector<std::string>& names)
    : names_(names), anyAddress_(listenAddress == "0.0.0.0" || listenAddress == "::") {
    for (const char* local : {"localhost", "127.0.0.1", "::1"}) names_.push_back(local);
    names_.push_back(plain(listenAddress));
}

bool ServedHosts::serves(const std::string& header) const {
    const std::string host = plain(hostOf(header));
    if (host.empty()) return false;
    if (anyAddress_ && isAddress(host)) return true;
    return std::find(names_.begin(), names_.end(), host) != names_.end();
}

}  // namespace tc
