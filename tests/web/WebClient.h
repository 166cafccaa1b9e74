#pragma once
// The page's API as a browser on this machine uses it: a session cookie
// kept from the login, the page's own origin on what it posts.
#include <httplib.h>

#include <chrono>
#include <string>

#include "support/Child.h"

struct WebClient {
    explicit WebClient(int port) : port(port), http("127.0.0.1", port) {
        http.set_read_timeout(30, 0);
        http.set_connection_timeout(10, 0);
    }

    std::string origin() const { return "http://127.0.0.1:" + std::to_string(port); }

    httplib::Result get(const std::string& path) {
        httplib::Headers h;
        if (!cookie.empty()) h.emplace("Cookie", cookie);
        return http.Get(path.c_str(), h);
    }
    httplib::Result post(const std::string& path, const std::string& body, const std::string& from = "") {
        httplib::Headers h{{"Origin", from.empty() ? origin() : from}};
        if (!cookie.empty()) h.emplace("Cookie", cookie);
        return http.Post(path.c_str(), h, body, "application/json");
    }
    bool login(const std::string& password) {
        auto r = post("/api/login", "{\"password\":\"" + password + "\"}");
        if (!r || r->status != 200) return false;
        const std::string set = r->get_header_value("Set-Cookie");
        cookie = set.substr(0, set.find(';'));
        return true;
    }
    // Waits until /api/state holds the text (a guard against hangs only).
    bool stateHas(const std::string& text) {
        return eventually(
            [&] {
                auto r = get("/api/state");
                return r && r->status == 200 && r->body.find(text) != std::string::npos;
            },
            std::chrono::milliseconds(50));
    }

    int port;
    httplib::Client http;
    std::string cookie;
};
