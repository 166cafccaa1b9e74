#pragma once
// The page's API as a browser on this machine uses it: a session cookie
// kept from the login, the page's own origin on what it posts.
#include <httplib.h>

#include <string>

#include "support/Child.h"

struct WebClient {
    explicit WebClient(int port) : port(port), http("127.0.0.1", port) {
        http.set_read_timeout(30, 0);
        http.set_connection_timeout(10, 0);
    }

    std::string origin() const { return "http://127.0.0.1:" + std::to_string(port); }

    httplib::Result get(const std::string& path) { return http.Get(path, withCookie({})); }
    httplib::Result post(const std::string& path, const std::string& body, const std::string& from = "") {
        return http.Post(path, withCookie({{"Origin", from.empty() ? origin() : from}}), body, "application/json");
    }
    // The headers given, and the session's cookie once logged in.
    httplib::Headers withCookie(httplib::Headers headers) const {
        if (!cookie.empty()) headers.emplace("Cookie", cookie);
        return headers;
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
        return eventually([&] {
            auto r = get("/api/state");
            return r && r->status == 200 && r->body.find(text) != std::string::npos;
        });
    }

    int port;
    httplib::Client http;
    std::string cookie;
};
