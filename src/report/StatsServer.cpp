#include "report/StatsServer.h"

#include <stdexcept>

namespace tc {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool isNameChar(char c) { return isLetter(c) || isDigit(c) || c == '-' || c == '.' || c == '_'; }
bool isIpv6Char(char c) { return isHexDigit(c) || c == ':' || c == '.'; }

template <typename Pred>
bool allOf(const std::string& s, Pred pred) {
    for (char c : s)
        if (!pred(c)) return false;
    return true;
}

[[noreturn]] void fail(const std::string& text, const std::string& problem) {
    throw std::invalid_argument("statistics server \"" + text + "\": " + problem);
}

int parsePort(const std::string& text, const std::string& digits) {
    if (digits.empty()) fail(text, "no port after \":\"");
    if (digits.size() > 5 || !allOf(digits, isDigit))
        fail(text, "port \"" + digits + "\" is not a whole number from 1 to 65535");
    int port = std::stoi(digits);
    if (port < 1 || port > 65535)
        fail(text, "port \"" + digits + "\" is not a whole number from 1 to 65535");
    return port;
}

}  // namespace

StatsServer parseStatsServer(const std::string& text) {
    StatsServer server;
    std::string rest;  // what follows the host: empty, or ":PORT"
    if (!text.empty() && text.front() == '[') {
        auto close = text.find(']');
        if (close == std::string::npos) fail(text, "no \"]\" after the IPv6 address");
        server.host = text.substr(1, close - 1);
        if (server.host.empty() || !allOf(server.host, isIpv6Char))
            fail(text, "\"" + server.host + "\" is not an IPv6 address");
        rest = text.substr(close + 1);
    } else {
        auto colon = text.find(':');
        server.host = text.substr(0, colon);
        if (colon != std::string::npos) rest = text.substr(colon);
        if (rest.find(':', 1) != std::string::npos)
            fail(text, "more than one \":\" (an IPv6 address goes in brackets)");
        if (server.host.empty()) fail(text, "no host name");
        if (!allOf(server.host, isNameChar))
            fail(text, "host name \"" + server.host +
                           "\" may hold only letters, digits, \"-\", \".\" and \"_\"");
    }
    if (!rest.empty()) {
        if (rest.front() != ':') fail(text, "\"" + rest + "\" after the host is not \":PORT\"");
        server.port = parsePort(text, rest.substr(1));
    }
    return server;
}

}  // namespace tc
