#include "web/secure/WebPageChoice.h"

#include <algorithm>
#include <cctype>

#include "core/Profile.h"
#include "web/WebSettings.h"

namespace tc {

namespace {

// An IPv4 or IPv6 address as written; whether the system can listen there
// is told when the page starts.
bool addressLike(const std::string& text) {
    return !text.empty() && text.size() <= 45 && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isxdigit(c) || c == '.' || c == ':';
    });
}

std::string addressOf(const WebPageChoice& choice) {
    return choice.address.empty() ? WebSettings::kDefaultAddress : choice.address;
}

}  // namespace

std::optional<std::string> problemWith(const WebPageChoice& choice) {
    const std::string address = addressOf(choice);
    if (!addressLike(address)) return "The address is an IP address, such as 127.0.0.1 or 0.0.0.0.";
    const bool bracketed = address.find(':') != std::string::npos;
    if (!choice.port.empty() && !parseListenAt((bracketed ? "[" + address + "]:" : address + ":") + choice.port, ""))
        return "The port is a number from 1 to 65535.";
    if (choice.password != choice.again) return "The two passwords differ.";
    return std::nullopt;
}

std::optional<std::string> storeWebPageChoice(Profile& settings, const WebPageChoice& choice,
                                              const std::string& passwordHash) {
    const char* section = WebSettings::kSection;
    bool written = settings.WriteString(section, "ADDRESS", addressOf(choice)) &&
                   settings.WriteString(section, "PORT", choice.port);
    if (!choice.password.empty()) written = written && settings.WriteString(section, "PASSWORD", passwordHash);
    if (!written || !settings.Flush()) return "Cannot write " + settings.Location() + ".";
    return std::nullopt;
}

std::string pageAddress(const WebSettings& settings) {
    if (settings.port == 0) return "";
    const bool any = settings.address == "0.0.0.0" || settings.address == "::";
    const std::string host = any ? "127.0.0.1" : settings.address;
    const std::string shown = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    return std::string(settings.cert.empty() ? "http" : "https") + "://" + shown + ":" +
           std::to_string(settings.port) + "/";
}

}  // namespace tc
