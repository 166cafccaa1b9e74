#pragma once
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "core/Worker.h"
#include "web/ServedHosts.h"
#include "web/http/HttpMessage.h"
#include "web/http/WebServer.h"

namespace tc {

// The page's routes: the page itself, /api/state, /api/history,
// /api/events, /api/session, /api/login, /api/logout, /api/control and
// /metrics (see the README). Whatever acts needs a session, a JSON body and
// the page's own origin; the view needs a session too unless it is open.
// Called on the server's thread, which it never holds up: a password is
// checked and the history read on a worker of their own, and a control
// is answered when the station has carried it out.
class WebServer::Api {
public:
    // Runs the work on the server's thread after a while.
    using Later = std::function<void(std::chrono::milliseconds, std::function<void()>)>;
    static constexpr std::chrono::milliseconds kControlWait{2000};  // then "queued": the station still will

    Api(const WebSettings& settings, const std::string& listenAddress, Served served, bool tls, Later later);
    void handle(const HttpRequest& req, const Reply& reply);
    void stopping();

private:
    bool loggedIn(const HttpRequest& req);
    std::optional<HttpReply> refusedView(const HttpRequest& req);
    bool sameOrigin(const HttpRequest& req) const;
    static std::string clientAddress(const HttpRequest& req);
    std::optional<json::Object> jsonBody(const HttpRequest& req, HttpReply& refusal);

    void route(const HttpRequest& req, const Reply& reply);
    HttpReply state(const HttpRequest& req);
    void history(const HttpRequest& req, const Reply& reply);
    HttpReply events(const HttpRequest& req);
    HttpReply session(const HttpRequest& req);
    void login(const HttpRequest& req, const Reply& reply);
    HttpReply logout(const HttpRequest& req);
    void control(const HttpRequest& req, const Reply& reply);
    HttpReply metrics(const HttpRequest& req);

    std::string stateNow();

    const WebSettings& settings_;
    Served served_;
    const bool tls_;
    Later later_;
    ServedHosts hosts_;
    Sessions sessions_;
    Throttle throttle_;
    // Today's counts, read again at most once a second.
    history::Tally today_;
    std::chrono::steady_clock::time_point todayAt_{};
    std::uint64_t todayVersion_ = 0;
    Worker slow_{1024};  // one password hashed at a time: each takes 64 MiB
};

}  // namespace tc
