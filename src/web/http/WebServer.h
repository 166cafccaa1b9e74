#pragma once
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "history/Tally.h"
#include "web/EventHub.h"
#include "web/RemoteControl.h"
#include "web/Sessions.h"
#include "web/Throttle.h"
#include "web/WebSettings.h"

namespace httplib {
class Server;
}

namespace tc {

// What the page serves, and how its controls reach the station.
struct Served {
    EventHub& hub;
    // Read on the server's threads.
    std::function<history::Tally()> today;
    std::function<std::vector<history::Bucket>(std::int64_t widthMs, int count)> buckets;
    // Hands a control to the logic thread; true once it was carried out,
    // false when the station did not get to it in time (it still will).
    std::function<bool(const Control&)> control;
    // A line for the station's log, from any thread.
    std::function<void(const std::string&)> log;
    // /metrics, in Prometheus's text format; read on the server's threads.
    std::function<std::string()> metrics;
};

// The supervisory web page and its API, on threads of their own
// (cpp-httplib's pool): never on the station's thread, which they reach
// only through `served`. Bounded everywhere: 16 KB a request, time-outs
// for a request's headers and body, 32 connections served at once, 8
// event streams.
class WebServer {
public:
    static constexpr std::size_t kMaxRequestBytes = 16 * 1024;
    static constexpr int kConnections = 32;
    static constexpr int kReadTimeoutS = 5;
    static constexpr const char* kCookie = "tailchime_session";

    WebServer(WebSettings settings, ListenAt at, Served served);
    ~WebServer();
    WebServer(const WebServer&) = delete;
    WebServer& operator=(const WebServer&) = delete;

    // Binds and starts serving; false with the problem set otherwise.
    bool start(std::string& problem);
    bool tls() const { return !settings_.cert.empty(); }

    class Api;

private:
    WebSettings settings_;
    ListenAt at_;
    std::unique_ptr<Api> api_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
};

}  // namespace tc
