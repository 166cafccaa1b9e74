#pragma once
#include <chrono>
#include <mutex>
#include <optional>
#include <string>

#include "web/ServedHosts.h"
#include "web/http/WebServer.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace tc {

// The page's routes: the page itself, /api/state, /api/history,
// /api/events, /api/session, /api/login, /api/logout, /api/control (see
// the README). Whatever acts needs a session, a JSON body and the page's
// own origin; the view needs a session too unless it is open.
class WebServer::Api {
public:
    Api(const WebSettings& settings, const std::string& listenAddress, Served served);
    void route(httplib::Server& server, bool tls);
    void stopping() { served_.hub.close(); }

private:
    bool loggedIn(const httplib::Request& req);
    bool mayView(const httplib::Request& req, httplib::Response& res);
    bool sameOrigin(const httplib::Request& req) const;
    static std::string clientAddress(const httplib::Request& req);
    std::optional<json::Object> jsonBody(const httplib::Request& req, httplib::Response& res);

    void state(const httplib::Request& req, httplib::Response& res);
    void history(const httplib::Request& req, httplib::Response& res);
    void events(const httplib::Request& req, httplib::Response& res);
    void session(const httplib::Request& req, httplib::Response& res);
    void login(const httplib::Request& req, httplib::Response& res);
    void logout(const httplib::Request& req, httplib::Response& res);
    void control(const httplib::Request& req, httplib::Response& res);
    void metrics(const httplib::Request& req, httplib::Response& res);

    std::string stateNow();

    const WebSettings& settings_;
    Served served_;
    bool tls_ = false;
    ServedHosts hosts_;
    Sessions sessions_;
    Throttle throttle_;
    std::mutex hashing_;  // one password hashed at a time: each takes 64 MiB
    std::mutex todayMutex_;
    history::Tally today_;
    std::chrono::steady_clock::time_point todayAt_{};
    std::uint64_t todayVersion_ = 0;
    static constexpr std::chrono::milliseconds kPingEvery{2000};
};

}  // namespace tc
