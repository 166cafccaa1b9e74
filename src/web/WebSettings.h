#pragma once
#include <optional>
#include <string>

namespace tc {

class Profile;

// The web page's settings: section [WEB] of tailchime.ini, beside
// [SETTINGS] and [RIG].
//   ADDRESS   where it listens (default 127.0.0.1: this machine only)
//   PORT      its port; no port, no page (unless --web gives one)
//   VIEW      "open": the page and its state without a login (the controls
//             always need one)
//   PASSWORD  the password's Argon2id hash, as tailchime --web-password
//             stores it; none, and no one can log in
//   CERT, KEY PEM files: the page is served over TLS
//   HOSTS     more names the page answers to, comma-separated (a reverse
//             proxy's public name); it always answers to its address and localhost
//   METRICS_TOKEN  the hash of the bearer token a scraper of /metrics
//             shows, as tailchime --web-metrics-token stores it
struct WebSettings {
    static constexpr const char* kSection = "WEB";
    static constexpr const char* kDefaultAddress = "127.0.0.1";

    std::string address = kDefaultAddress;
    int port = 0;
    bool viewOpen = false;
    std::string passwordHash;
    std::string cert, key;
    std::string metricsTokenHash;
    std::string hosts;

    static WebSettings read(Profile& profile);
};

// "[ADDRESS:]PORT" (an IPv6 address in brackets: "[::1]:8080"); nothing
// when it is not one.
struct ListenAt {
    std::string address;
    int port = 0;
};
std::optional<ListenAt> parseListenAt(const std::string& text, const std::string& defaultAddress);

}  // namespace tc
