#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "history/Tally.h"
#include "web/EventHub.h"
#include "web/RemoteControl.h"
#include "web/Sessions.h"
#include "web/Throttle.h"
#include "web/WebSettings.h"

namespace tc {

// What the page serves, and how its controls reach the station.
struct Served {
    EventHub& hub;
    // Read on the server's thread or its worker.
    std::function<history::Tally()> today;
    std::function<std::vector<history::Bucket>(std::int64_t widthMs, int count)> buckets;
    // Hands a control to the logic thread, which calls `done` once it has
    // carried it out.
    std::function<void(const Control&, std::function<void()> done)> control;
    // A line for the station's log, from any thread.
    std::function<void(const std::string&)> log;
    // /metrics, in Prometheus's text format; read on the server's thread.
    std::function<std::string()> metrics;
};

// The supervisory web page and its API, on a thread of its own that serves
// every connection as its bytes come and never waits for one: never on the
// station's thread, which it reaches only through `served`. Bounded
// everywhere (see http1::Limits): time for a request's header and body,
// between requests and for each answer; 8 KB of header and 16 KB of body;
// kConnections at once and kPerAddress from one address, where a newcomer
// takes the place of the connection that has waited longest for a request;
// 8 event streams. Its end takes at most the password check under way.
class WebServer {
public:
    static constexpr std::size_t kConnections = 256;
    static constexpr std::size_t kPerAddress = 64;
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
    struct Loop;
    WebSettings settings_;
    ListenAt at_;
    Served served_;
    std::unique_ptr<Loop> loop_;
    std::unique_ptr<Api> api_;
};

}  // namespace tc
