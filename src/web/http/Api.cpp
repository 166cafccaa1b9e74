#include "web/http/Api.h"

#include "web/http/Page.h"
#include "web/secure/Secrets.h"

namespace tc {

namespace {

std::int64_t steadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

HttpReply answer(int status, std::string json) {
    HttpReply r;
    r.status = status;
    r.body = std::move(json);
    return r;
}

HttpReply refuse(int status, const std::string& why) { return answer(status, "{\"error\":" + json::quote(why) + "}"); }

Answer now(HttpReply r) {
    return [r = std::move(r)] { return r; };
}

std::string cookieToken(const HttpRequest& req) {
    const std::string name = std::string(WebServer::kCookie) + "=";
    const std::string cookies = req.header("cookie");
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

std::optional<int> countOf(const HttpRequest& req, const char* name, int most) {
    const auto text = req.param(name);
    if (!text) return std::nullopt;
    if (text->empty() || text->size() > 3 || text->find_first_not_of("0123456789") != std::string::npos) return 0;
    int n = std::stoi(*text);
    return n >= 1 && n <= most ? n : 0;
}

bool fromThisMachine(const HttpRequest& req) { return req.peer == "127.0.0.1" || req.peer == "::1"; }

}  // namespace

WebServer::Api::Api(const WebSettings& settings, const std::string& listenAddress, Served served, bool tls,
                     Later later)
    : settings_(settings), served_(std::move(served)), tls_(tls), later_(std::move(later)),
      hosts_(listenAddress, hostNames(settings.hosts)), sessions_(secrets::sessionSecrets(), steadyMs),
      throttle_(steadyMs) {}

void WebServer::Api::stopping() {
    served_.hub.close();
    slow_.stop();
}

// Every request names a host this page answers to: a page elsewhere that
// reaches it through a name of its own (DNS rebinding) is refused.
void WebServer::Api::handle(const HttpRequest& req, const Reply& reply) {
    int hosts = 0;
    for (const auto& h : req.headers) hosts += h.first == "host";
    if (hosts != 1) return reply(now(refuse(400, hosts ? "more than one Host" : "no Host")));
    if (!hosts_.serves(req.header("host")))
        return reply(now(refuse(421, "not a name this page answers to (see [WEB] HOSTS)")));
    try {
        route(req, reply);
    } catch (const std::exception&) {
        reply(now(refuse(500, "internal error")));
    }
}

void WebServer::Api::route(const HttpRequest& req, const Reply& reply) {
    const bool get = req.method == "GET", post = req.method == "POST";
    for (const PageFile& file : pageFiles())
        if (req.path == file.path) {
            if (!get) break;
            HttpReply r;
            r.type = file.type;
            r.body = std::string(file.body);
            return reply(now(std::move(r)));
        }
    if (get && req.path == "/api/history") return history(req, reply);
    if (post && req.path == "/api/login") return login(req, reply);
    if (post && req.path == "/api/control") return control(req, reply);
    if (get && req.path == "/api/state") return reply(now(state(req)));
    if (get && req.path == "/api/events") return reply(now(events(req)));
    if (get && req.path == "/api/session") return reply(now(session(req)));
    if (get && req.path == "/metrics") return reply(now(metrics(req)));
    if (post && req.path == "/api/logout") return reply(now(logout(req)));
    for (const char* known : {"/api/history", "/api/login", "/api/control", "/api/state", "/api/events",
                              "/api/session", "/metrics", "/api/logout"})
        if (req.path == known) return reply(now(refuse(405, "not with " + req.method)));
    for (const PageFile& file : pageFiles())
        if (req.path == file.path) return reply(now(refuse(405, "not with " + req.method)));
    reply(now(refuse(404, "no such page")));
}

bool WebServer::Api::loggedIn(const HttpRequest& req) { return sessions_.use(cookieToken(req)); }

std::optional<HttpReply> WebServer::Api::refusedView(const HttpRequest& req) {
    if (settings_.viewOpen || loggedIn(req)) return std::nullopt;
    return refuse(401, "login required");
}

// Who asks: the address of the connection, or, from a reverse proxy on this
// machine, the address it names last in X-Forwarded-For (the one it took
// the request from); no one else is believed.
std::string WebServer::Api::clientAddress(const HttpRequest& req) {
    std::string forwarded = req.header("x-forwarded-for");
    if (!fromThisMachine(req) || forwarded.empty()) return req.peer;
    forwarded = forwarded.substr(forwarded.rfind(',') + 1);
    const auto first = forwarded.find_first_not_of(' '), last = forwarded.find_last_not_of(' ');
    return first == std::string::npos ? req.peer : forwarded.substr(first, last - first + 1);
}

// The page's own origin is the scheme and the Host it was asked for. A
// reverse proxy on this machine that speaks TLS for it says so in
// X-Forwarded-Proto; no one else is believed.
bool WebServer::Api::sameOrigin(const HttpRequest& req) const {
    const std::string host = req.header("host");
    std::string scheme = tls_ ? "https" : "http";
    const std::string proxied = req.header("x-forwarded-proto");
    if (fromThisMachine(req) && (proxied == "https" || proxied == "http")) scheme = proxied;
    return !host.empty() && req.header("origin") == scheme + "://" + host;
}

std::optional<json::Object> WebServer::Api::jsonBody(const HttpRequest& req, HttpReply& refusal) {
    if (req.header("content-type").rfind("application/json", 0) != 0) {
        refusal = refuse(415, "the body must be JSON");
        return std::nullopt;
    }
    auto body = json::parseFlatObject(req.body);
    if (!body) refusal = refuse(400, "malformed JSON");
    return body;
}

// Today's counts are read again at most once a second, and at once when
// the station has told something new (an over or an ident has ended).
std::string WebServer::Api::stateNow() {
    const auto at = std::chrono::steady_clock::now();
    const std::uint64_t version = served_.hub.viewVersion();
    if (at - todayAt_ >= std::chrono::seconds(1) || version != todayVersion_) {
        today_ = served_.today();
        todayAt_ = at;
        todayVersion_ = version;
    }
    return stateJson(served_.hub.view(), today_);
}

HttpReply WebServer::Api::state(const HttpRequest& req) {
    if (auto refusal = refusedView(req)) return *refusal;
    return answer(200, stateNow());
}

// Open where the view is; otherwise for a scraper that shows the token.
HttpReply WebServer::Api::metrics(const HttpRequest& req) {
    const std::string bearer = "Bearer ";
    const std::string authorization = req.header("authorization");
    const bool shown = authorization.rfind(bearer, 0) == 0 &&
                       secrets::tokenMatches(settings_.metricsTokenHash, authorization.substr(bearer.size()));
    if (!settings_.viewOpen && !shown) {
        HttpReply r = refuse(401, "a bearer token is needed (tailchime --web-metrics-token)");
        r.headers.emplace_back("WWW-Authenticate", "Bearer");
        return r;
    }
    HttpReply r = answer(200, served_.metrics ? served_.metrics() : "");
    r.type = "text/plain; version=0.0.4; charset=utf-8";
    return r;
}

void WebServer::Api::history(const HttpRequest& req, const Reply& reply) {
    if (auto refusal = refusedView(req)) return reply(now(*refusal));
    auto hours = countOf(req, "hours", 24 * 14), days = countOf(req, "days", 400);
    if (hours.has_value() == days.has_value() || (hours && !*hours) || (days && !*days))
        return reply(now(refuse(400, "give hours=1..336 or days=1..400")));
    const std::int64_t width = hours ? history::kHourMs : history::kDayMs;
    const int count = hours ? *hours : *days;
    slow_.hand([this, reply, width, count] {
        std::string j = "[";
        for (const history::Bucket& b : served_.buckets(width, count)) {
            if (j.size() > 1) j += ',';
            j += "{\"start\":" + std::to_string(b.start) + ",\"end\":" + std::to_string(b.end) +
                 ",\"overs\":" + std::to_string(b.tally.overs) + ",\"kerchunks\":" + std::to_string(b.tally.kerchunks) +
                 ",\"courtesies\":" + std::to_string(b.tally.courtesies) +
                 ",\"tx_seconds\":" + std::to_string((b.tally.txMs + 500) / 1000) + "}";
        }
        reply(now(answer(200, j + "]")));
    });
}

HttpReply WebServer::Api::events(const HttpRequest& req) {
    if (auto refusal = refusedView(req)) return *refusal;
    // A stream opened in a session ends with it; one without takes a slot
    // only where no sysop needs it.
    const std::string token = cookieToken(req);
    const bool anonymous = !sessions_.use(token);
    std::shared_ptr<EventHub::Stream> stream = served_.hub.open(anonymous);
    if (!stream) return refuse(503, "too many event streams");
    HttpReply r;
    r.type = "text/event-stream";
    r.stream = stream;
    r.feed = [this, stream, token, anonymous](bool first, bool ping) -> std::optional<std::string> {
        auto news = stream->take();
        if (news.closed || (!anonymous && !sessions_.use(token))) return std::nullopt;
        std::string out = first ? "retry: 2000\n\n" : "";
        for (const std::string& line : news.lines) out += "event: log\ndata: " + line + "\n\n";
        if (news.view || first) out += "event: state\ndata: " + stateNow() + "\n\n";
        // The page counts a station that says nothing for a while as lost.
        if (out.empty() && ping) out = "event: ping\ndata:\n\n";
        return out;
    };
    return r;
}

HttpReply WebServer::Api::session(const HttpRequest& req) {
    auto flag = [](bool b) { return b ? std::string("true") : std::string("false"); };
    return answer(200, "{\"logged_in\":" + flag(loggedIn(req)) + ",\"password_set\":" +
                           flag(!settings_.passwordHash.empty()) + ",\"view_open\":" + flag(settings_.viewOpen) + "}");
}

void WebServer::Api::login(const HttpRequest& req, const Reply& reply) {
    if (!sameOrigin(req)) return reply(now(refuse(403, "not from this page")));
    HttpReply refusal;
    auto body = jsonBody(req, refusal);
    if (!body) return reply(now(refusal));
    auto it = body->find("password");
    const std::string* password = it == body->end() ? nullptr : std::get_if<std::string>(&it->second);
    if (!password || body->size() != 1) return reply(now(refuse(400, "give the password")));
    if (settings_.passwordHash.empty())
        return reply(now(refuse(503, "no password is set: run tailchime --web-password on the station")));
    const std::string from = clientAddress(req);
    if (auto wait = throttle_.admit(from)) {
        const std::string seconds = std::to_string((wait + 999) / 1000);
        HttpReply r = refuse(429, "too many wrong passwords: try again in " + seconds + " s");
        r.headers.emplace_back("Retry-After", seconds);
        return reply(now(std::move(r)));
    }
    slow_.hand([this, reply, from, password = *password] {
        if (!secrets::passwordMatches(settings_.passwordHash, password)) {
            if (auto wait = throttle_.failed(from))
                served_.log("wrong passwords from " + from + ": its next try waits " + std::to_string(wait / 1000) +
                            " s");
            return reply(now(refuse(401, "wrong password")));
        }
        throttle_.succeeded(from);
        std::string cookie = std::string(kCookie) + "=" + sessions_.open() + "; Path=/; HttpOnly; SameSite=Strict";
        if (tls_) cookie += "; Secure";
        served_.log("login from " + from);
        HttpReply r = answer(200, "{\"ok\":true}");
        r.headers.emplace_back("Set-Cookie", cookie);
        reply(now(std::move(r)));
    });
}

HttpReply WebServer::Api::logout(const HttpRequest& req) {
    if (!sameOrigin(req)) return refuse(403, "not from this page");
    sessions_.close(cookieToken(req));
    served_.hub.nudge();  // its streams end now
    HttpReply r = answer(200, "{\"ok\":true}");
    r.headers.emplace_back("Set-Cookie", std::string(kCookie) + "=; Path=/; HttpOnly; SameSite=Strict; Max-Age=0");
    return r;
}

void WebServer::Api::control(const HttpRequest& req, const Reply& reply) {
    if (!loggedIn(req)) return reply(now(refuse(401, "login required")));
    if (!sameOrigin(req)) return reply(now(refuse(403, "not from this page")));
    HttpReply refusal;
    auto body = jsonBody(req, refusal);
    if (!body) return reply(now(refusal));
    std::string problem;
    auto c = Control::from(*body, problem);
    if (!c) return reply(now(refuse(400, problem)));
    served_.log(c->name() + " from " + clientAddress(req));
    // Whichever comes first: the station has carried it out, or the wait is over.
    served_.control(*c, [this, reply] { reply([this] { return answer(200, "{\"ok\":true,\"state\":" + stateNow() + "}"); }); });
    later_(kControlWait, [reply] { reply(now(answer(202, "{\"ok\":true,\"queued\":true}"))); });
}

}  // namespace tc
