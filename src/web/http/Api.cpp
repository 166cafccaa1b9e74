#include "web/http/Api.h"

#include <httplib.h>

#include "web/http/Page.h"
#include "web/secure/Secrets.h"

namespace tc {

namespace {

std::int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void answer(httplib::Response& res, int status, const std::string& json) {
    res.status = status;
    res.set_content(json, "application/json");
}

void refuse(httplib::Response& res, int status, const std::string& why) {
    answer(res, status, "{\"error\":" + json::quote(why) + "}");
}

std::string cookieToken(const httplib::Request& req) {
    const std::string name = std::string(WebServer::kCookie) + "=";
    const std::string cookies = req.get_header_value("Cookie");
    std::size_t at = 0;
    while (at < cookies.size()) {
        std::size_t end = cookies.find(';', at);
        if (end == std::string::npos) end = cookies.size();
        std::size_t start = cookies.find_first_not_of(' ', at);
        if (start < end && cookies.compare(start, name.size(), name) == 0)
            return cookies.substr(start + name.size(), end - start - name.size());
        at = end + 1;
    }
    return "";
}

std::optional<int> countOf(const httplib::Request& req, const char* name, int most) {
    if (!req.has_param(name)) return std::nullopt;
    const std::string text = req.get_param_value(name);
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
    int n = std::stoi(text);
    return n >= 1 && n <= most ? n : 0;
}

}  // namespace

WebServer::Api::Api(const WebSettings& settings, const std::string& listenAddress, Served served)
    : settings_(settings), served_(std::move(served)), hosts_(listenAddress, hostNames(settings.hosts)), sessions_(secrets::sessionSecrets(), steadyMs),
      throttle_(steadyMs) {}

void WebServer::Api::route(httplib::Server& s, bool tls) {
    tls_ = tls;
    s.set_default_headers({
        {"X-Content-Type-Options", "nosniff"},
        {"X-Frame-Options", "DENY"},
        {"Referrer-Policy", "no-referrer"},
        {"Cache-Control", "no-store"},
        {"Content-Security-Policy",
         "default-src 'self'; img-src 'self' data:; style-src 'self'; script-src 'self'; frame-ancestors 'none'"},
    });
    s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        std::size_t bytes = req.method.size() + req.target.size();
        for (const auto& [name, value] : req.headers) bytes += name.size() + value.size() + 4;
        if (bytes + req.body.size() > kMaxRequestBytes)
            refuse(res, 431, "request too large");
        else if (!req.has_header("Host"))
            refuse(res, 400, "no Host");
        else if (!hosts_.serves(req.get_header_value("Host")))
            refuse(res, 421, "not a name this page answers to (see [WEB] HOSTS)");
        else
            return httplib::Server::HandlerResponse::Unhandled;
        return httplib::Server::HandlerResponse::Handled;
    });
    s.set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) refuse(res, res.status, "HTTP " + std::to_string(res.status));
    });
    s.set_exception_handler([](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        refuse(res, 500, "internal error");
    });
    for (const PageFile& file : pageFiles())
        s.Get(file.path, [&file](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(file.body), file.type);
        });
    s.Get("/api/state", [this](const auto& req, auto& res) { state(req, res); });
    s.Get("/api/history", [this](const auto& req, auto& res) { history(req, res); });
    s.Get("/api/events", [this](const auto& req, auto& res) { events(req, res); });
    s.Get("/api/session", [this](const auto& req, auto& res) { session(req, res); });
    s.Post("/api/login", [this](const auto& req, auto& res) { login(req, res); });
    s.Post("/api/logout", [this](const auto& req, auto& res) { logout(req, res); });
    s.Post("/api/control", [this](const auto& req, auto& res) { control(req, res); });
    s.Get("/metrics", [this](const auto& req, auto& res) { metrics(req, res); });
}

bool WebServer::Api::loggedIn(const httplib::Request& req) { return sessions_.use(cookieToken(req)); }

bool WebServer::Api::mayView(const httplib::Request& req, httplib::Response& res) {
    if (settings_.viewOpen || loggedIn(req)) return true;
    refuse(res, 401, "login required");
    return false;
}

// Who asks: the address of the connection, or, from a reverse proxy on this
// machine, the address it names last in X-Forwarded-For (the one it took
// the request from); no one else is believed.
std::string WebServer::Api::clientAddress(const httplib::Request& req) {
    const bool local = req.remote_addr == "127.0.0.1" || req.remote_addr == "::1";
    std::string forwarded = req.get_header_value("X-Forwarded-For");
    if (!local || forwarded.empty()) return req.remote_addr;
    forwarded = forwarded.substr(forwarded.rfind(',') + 1);
    const auto first = forwarded.find_first_not_of(' '), last = forwarded.find_last_not_of(' ');
    return first == std::string::npos ? req.remote_addr : forwarded.substr(first, last - first + 1);
}

// The page's own origin is the scheme and the Host it was asked for. A
// reverse proxy on this machine that speaks TLS for it says so in
// X-Forwarded-Proto; no one else is believed.
bool WebServer::Api::sameOrigin(const httplib::Request& req) const {
    const std::string host = req.get_header_value("Host");
    std::string scheme = tls_ ? "https" : "http";
    const std::string proxied = req.get_header_value("X-Forwarded-Proto");
    const bool local = req.remote_addr == "127.0.0.1" || req.remote_addr == "::1";
    if (local && (proxied == "https" || proxied == "http")) scheme = proxied;
    return !host.empty() && req.get_header_value("Origin") == scheme + "://" + host;
}

std::optional<json::Object> WebServer::Api::jsonBody(const httplib::Request& req, httplib::Response& res) {
    const std::string type = req.get_header_value("Content-Type");
    if (type.rfind("application/json", 0) != 0) {
        refuse(res, 415, "the body must be JSON");
        return std::nullopt;
    }
    auto body = json::parseFlatObject(req.body);
    if (!body) refuse(res, 400, "malformed JSON");
    return body;
}

// Today's counts are read again at most once a second, and at once when
// the station has told something new (an over or an ident has ended).
std::string WebServer::Api::stateNow() {
    history::Tally today;
    {
        std::lock_guard<std::mutex> lock(todayMutex_);
        const auto now = std::chrono::steady_clock::now();
        const std::uint64_t version = served_.hub.viewVersion();
        if (now - todayAt_ >= std::chrono::seconds(1) || version != todayVersion_) {
            today_ = served_.today();
            todayAt_ = now;
            todayVersion_ = version;
        }
        today = today_;
    }
    return stateJson(served_.hub.view(), today);
}

void WebServer::Api::state(const httplib::Request& req, httplib::Response& res) {
    if (mayView(req, res)) answer(res, 200, stateNow());
}

// Open where the view is; otherwise for a scraper that shows the token.
void WebServer::Api::metrics(const httplib::Request& req, httplib::Response& res) {
    const std::string bearer = "Bearer ";
    const std::string authorization = req.get_header_value("Authorization");
    const bool shown = authorization.rfind(bearer, 0) == 0 &&
                       secrets::tokenMatches(settings_.metricsTokenHash, authorization.substr(bearer.size()));
    if (!settings_.viewOpen && !shown) {
        res.set_header("WWW-Authenticate", "Bearer");
        refuse(res, 401, "a bearer token is needed (tailchime --web-metrics-token)");
        return;
    }
    res.status = 200;
    res.set_content(served_.metrics ? served_.metrics() : "", "text/plain; version=0.0.4; charset=utf-8");
}

void WebServer::Api::history(const httplib::Request& req, httplib::Response& res) {
    if (!mayView(req, res)) return;
    auto hours = countOf(req, "hours", 24 * 14), days = countOf(req, "days", 400);
    if (hours.has_value() == days.has_value() || (hours && !*hours) || (days && !*days)) {
        refuse(res, 400, "give hours=1..336 or days=1..400");
        return;
    }
    auto buckets = hours ? served_.buckets(history::kHourMs, *hours) : served_.buckets(history::kDayMs, *days);
    std::string j = "[";
    for (const history::Bucket& b : buckets) {
        if (j.size() > 1) j += ',';
        j += "{\"start\":" + std::to_string(b.start) + ",\"end\":" + std::to_string(b.end) +
             ",\"overs\":" + std::to_string(b.tally.overs) + ",\"kerchunks\":" + std::to_string(b.tally.kerchunks) +
             ",\"courtesies\":" + std::to_string(b.tally.courtesies) +
             ",\"tx_seconds\":" + std::to_string((b.tally.txMs + 500) / 1000) + "}";
    }
    answer(res, 200, j + "]");
}

void WebServer::Api::events(const httplib::Request& req, httplib::Response& res) {
    if (!mayView(req, res)) return;
    // A stream opened in a session ends with it; one without takes a slot
    // only where no sysop needs it.
    const std::string token = cookieToken(req);
    const bool anonymous = !sessions_.use(token);
    std::shared_ptr<EventHub::Stream> stream = served_.hub.open(anonymous);
    if (!stream) {
        refuse(res, 503, "too many event streams");
        return;
    }
    res.set_chunked_content_provider("text/event-stream", [this, stream, token, anonymous](size_t offset,
                                                                                          httplib::DataSink& sink) {
        auto news = stream->next(offset == 0 ? std::chrono::milliseconds(0) : kPingEvery);
        if (news.closed || (!anonymous && !sessions_.use(token))) return false;
        std::string out = offset == 0 ? "retry: 2000\n\n" : "";
        for (const std::string& line : news.lines) out += "event: log\ndata: " + line + "\n\n";
        if (news.view || offset == 0) out += "event: state\ndata: " + stateNow() + "\n\n";
        // The page counts a station that says nothing for a while as lost.
        if (out.empty()) out = "event: ping\ndata:\n\n";
        return sink.write(out.data(), out.size());
    });
}

void WebServer::Api::session(const httplib::Request& req, httplib::Response& res) {
    auto flag = [](bool b) { return b ? std::string("true") : std::string("false"); };
    answer(res, 200,
           "{\"logged_in\":" + flag(loggedIn(req)) + ",\"password_set\":" + flag(!settings_.passwordHash.empty()) +
               ",\"view_open\":" + flag(settings_.viewOpen) + "}");
}

void WebServer::Api::login(const httplib::Request& req, httplib::Response& res) {
    if (!sameOrigin(req)) return refuse(res, 403, "not from this page");
    auto body = jsonBody(req, res);
    if (!body) return;
    auto it = body->find("password");
    const std::string* password = it == body->end() ? nullptr : std::get_if<std::string>(&it->second);
    if (!password || body->size() != 1) return refuse(res, 400, "give the password");
    if (settings_.passwordHash.empty())
        return refuse(res, 503, "no password is set: run tailchime --web-password on the station");
    const std::string from = clientAddress(req);
    if (auto wait = throttle_.admit(from)) {
        const std::string seconds = std::to_string((wait + 999) / 1000);
        res.set_header("Retry-After", seconds);
        return refuse(res, 429, "too many wrong passwords: try again in " + seconds + " s");
    }
    bool right;
    {
        std::lock_guard<std::mutex> lock(hashing_);
        right = secrets::passwordMatches(settings_.passwordHash, *password);
    }
    if (!right) {
        if (auto wait = throttle_.failed(from))
            served_.log("wrong passwords from " + from + ": its next try waits " + std::to_string(wait / 1000) + " s");
        return refuse(res, 401, "wrong password");
    }
    throttle_.succeeded(from);
    std::string cookie = std::string(kCookie) + "=" + sessions_.open() + "; Path=/; HttpOnly; SameSite=Strict";
    if (tls_) cookie += "; Secure";
    res.set_header("Set-Cookie", cookie);
    served_.log("login from " + from);
    answer(res, 200, "{\"ok\":true}");
}

void WebServer::Api::logout(const httplib::Request& req, httplib::Response& res) {
    if (!sameOrigin(req)) return refuse(res, 403, "not from this page");
    sessions_.close(cookieToken(req));
    served_.hub.nudge();  // its streams end now
    res.set_header("Set-Cookie", std::string(kCookie) + "=; Path=/; HttpOnly; SameSite=Strict; Max-Age=0");
    answer(res, 200, "{\"ok\":true}");
}

void WebServer::Api::control(const httplib::Request& req, httplib::Response& res) {
    if (!loggedIn(req)) return refuse(res, 401, "login required");
    if (!sameOrigin(req)) return refuse(res, 403, "not from this page");
    auto body = jsonBody(req, res);
    if (!body) return;
    std::string problem;
    auto c = Control::from(*body, problem);
    if (!c) return refuse(res, 400, problem);
    served_.log(c->name() + " from " + clientAddress(req));
    if (!served_.control(*c)) return answer(res, 202, "{\"ok\":true,\"queued\":true}");
    answer(res, 200, "{\"ok\":true,\"state\":" + stateNow() + "}");
}

}  // namespace tc
