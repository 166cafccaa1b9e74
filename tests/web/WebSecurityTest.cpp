// The server under hostile requests: wrong passwords, other origins,
// oversized, malformed and slow requests, too many event streams. None of
// them reaches the station. With a certificate it speaks TLS only.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

#include "support/TempDir.h"
#include "web/RawSocket.h"
#include "web/WebClient.h"
#include "web/http/WebServer.h"
#include "web/secure/Secrets.h"

using namespace tc;

namespace {

class WebSecurity : public ::testing::Test {
protected:
    void SetUp() override {
        hub.publish(event::Status{});
        serve({});
    }
    // The server with the password "right one", on a port of its own.
    void serve(WebSettings settings) {
        settings.passwordHash = *secrets::hashPassword("right one");
        port = freePort();
        Served served{hub,
                      [] { return history::Tally{}; },
                      [](std::int64_t, int) { return std::vector<history::Bucket>{}; },
                      [this](const Control& c, std::function<void()> done) {
                          std::lock_guard<std::mutex> lock(mutex);
                          controlsAsked.push_back(c.name());
                          done();
                      },
                      [this](const std::string& line) {
                          std::lock_guard<std::mutex> lock(mutex);
                          log.push_back(line);
                      },
                      {}};
        server = std::make_unique<WebServer>(settings, ListenAt{"127.0.0.1", port}, std::move(served));
        std::string problem;
        ASSERT_TRUE(server->start(problem)) << problem;
        ASSERT_TRUE(acceptsConnections(port));
    }
    std::vector<std::string> controls() {
        std::lock_guard<std::mutex> lock(mutex);
        return controlsAsked;
    }

    EventHub hub;  // the station's side, outliving the server
    std::mutex mutex;
    std::vector<std::string> controlsAsked, log;
    int port = 0;
    std::unique_ptr<WebServer> server;
};

}  // namespace

TEST_F(WebSecurity, WrongPasswordsAreThrottledAndTheLogSaysSo) {
    WebClient page(port);
    for (int i = 0; i < Throttle::kFree; ++i)
        EXPECT_EQ(page.post("/api/login", "{\"password\":\"guess\"}")->status, 401) << i;
    auto held = page.post("/api/login", "{\"password\":\"right one\"}");
    EXPECT_EQ(held->status, 429);  // even the right one must wait
    EXPECT_EQ(held->get_header_value("Retry-After"), "30");
    EXPECT_EQ(log, std::vector<std::string>{"wrong passwords from 127.0.0.1: its next try waits 30 s"});
    // Behind a proxy on this machine, the address it names is the one held up.
    page.http.set_default_headers({{"X-Forwarded-For", "203.0.113.9, 198.51.100.7"}});
    EXPECT_EQ(page.post("/api/login", "{\"password\":\"right one\"}")->status, 200);
}

TEST_F(WebSecurity, ThirtyWrongPasswordsAtOnceAreNotAllChecked) {
    std::vector<std::thread> tries;
    std::atomic<int> checked{0}, held{0};
    for (int i = 0; i < 30; ++i)
        tries.emplace_back([&] {
            auto r = WebClient(port).post("/api/login", "{\"password\":\"guess\"}");
            checked += r && r->status == 401;
            held += r && r->status == 429;
        });
    for (auto& t : tries) t.join();
    EXPECT_LE(checked, Throttle::kFree);
    EXPECT_GT(held, 0);
}

TEST_F(WebSecurity, OtherOriginsAndBadBodiesChangeNothing) {
    WebClient page(port);
    EXPECT_EQ(page.post("/api/login", "{\"password\":\"right one\"}", "http://evil.example")->status, 403);
    EXPECT_EQ(page.post("/api/login", "{\"password\":\"right one\"}", "null")->status, 403);
    httplib::Headers proxied{{"Origin", "https://127.0.0.1:" + std::to_string(port)}, {"X-Forwarded-Proto", "https"}};
    EXPECT_EQ(page.http.Post("/api/logout", proxied, "{}", "application/json")->status, 200);  // a local TLS proxy
    ASSERT_TRUE(page.login("right one"));
    EXPECT_EQ(page.get("/api/state")->status, 200);

    // Switching off with the session's cookie and the headers given.
    auto off = [&](const httplib::Headers& headers, const char* body = "{\"action\":\"off\"}",
                   const char* type = "application/json") {
        return page.http.Post("/api/control", page.withCookie(headers), body, type)->status;
    };
    EXPECT_EQ(off({{"Origin", "http://127.0.0.1:1"}}), 403);
    EXPECT_EQ(off({}), 403);  // no origin
    EXPECT_EQ(off({{"Origin", page.origin()}}, "action=off", "application/x-www-form-urlencoded"), 415);
    for (const char* body : {"{\"action\":off}", "{\"action\":\"melt\"}", "{\"action\":\"off\",\"extra\":1}",
                             "{\"action\":\"timings\",\"hang\":600}",
                             "{\"action\":\"timings\",\"hang\":0,\"kerchunk\":2000}"})
        EXPECT_EQ(page.post("/api/control", body)->status, 400) << body;
    EXPECT_EQ(page.post("/api/control", "{\"action\":\"off\",\"pad\":\"" + std::string(20000, 'x') + "\"}")->status,
              413);
    EXPECT_EQ(off({{"Origin", page.origin()}, {"X-Pad", std::string(8000, 'x')}, {"X-Pad2", std::string(8000, 'x')},
                   {"X-Pad3", std::string(4000, 'x')}}),
              431);
    EXPECT_EQ(off({{"Origin", "http://evil.example"}, {"Host", "evil.example"}}), 421);
    EXPECT_EQ(page.http.Get("/api/state", {{"Host", "evil.example:" + std::to_string(port)}})->status, 421);
    EXPECT_TRUE(controls().empty());

    EXPECT_EQ(page.post("/api/control", "{\"action\":\"timings\",\"hang\":600,\"kerchunk\":2500}")->status, 200);
    EXPECT_EQ(page.post("/api/logout", "{}")->status, 200);
    EXPECT_EQ(page.post("/api/control", "{\"action\":\"off\"}")->status, 401);
    EXPECT_EQ(controls(), std::vector<std::string>{"timings"});
}

TEST_F(WebSecurity, AClientThatNeverEndsItsHeadersIsClosedWhileOthersAreServed) {
    RawSocket slow(port, "GET /api/state HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Never: ");
    auto meanwhile = WebClient(port).get("/api/session");
    ASSERT_TRUE(meanwhile);
    EXPECT_EQ(meanwhile->status, 200);
    EXPECT_TRUE(slow.answer()) << "a client that never finishes its headers keeps its connection";
}

TEST_F(WebSecurity, RequestsAreReadStrictlyAndAnsweredInOrder) {
    const std::string host = "Host: 127.0.0.1\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<const char*> answers;  // the status lines' starts, in order
    } cases[] = {
        {"not HTTP", "\x16\x03\x01 not http at all\r\n\r\n", {"HTTP/1.1 400"}},
        {"length and chunked", "POST /api/logout HTTP/1.1\r\n" + host + "Content-Length: 4\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", {"HTTP/1.1 400"}},
        {"chunked and length", "POST /api/logout HTTP/1.1\r\n" + host + "Transfer-Encoding: chunked\r\nContent-Length: 4\r\n\r\n0\r\n\r\n", {"HTTP/1.1 400"}},
        {"two lengths", "POST /api/logout HTTP/1.1\r\n" + host + "Content-Length: 2\r\nContent-Length: 3\r\n\r\n{}x", {"HTTP/1.1 400"}},
        {"no Host", "GET /api/session HTTP/1.1\r\n\r\n", {"HTTP/1.1 400"}},
        {"two Hosts", "GET /api/session HTTP/1.1\r\n" + host + host + "\r\n", {"HTTP/1.1 400"}},
        {"a header line over 8 KB", "GET /api/session HTTP/1.1\r\n" + host + "X-Pad: " + std::string(9000, 'x') + "\r\n\r\n", {"HTTP/1.1 431"}},
        {"a body over 16 KB", "POST /api/logout HTTP/1.1\r\n" + host + "Content-Length: 20000\r\n\r\n", {"HTTP/1.1 413"}},
        {"pipelined", "GET /api/session HTTP/1.1\r\n" + host + "\r\nGET /nowhere HTTP/1.1\r\n" + host +
             "\r\nGET /api/session HTTP/1.1\r\n" + host + "Connection: close\r\n\r\n", {"HTTP/1.1 200", "HTTP/1.1 404", "HTTP/1.1 200"}},
        {"chunked alone", "POST /api/login HTTP/1.1\r\n" + host + "Transfer-Encoding: chunked\r\nConnection: close\r\n\r\n2\r\n{}\r\n0\r\n\r\n", {"HTTP/1.1 403"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto got = RawSocket(port, c.bytes).answer();
        ASSERT_TRUE(got);
        std::size_t at = 0;
        for (const char* status : c.answers) {
            at = got->find(status, at);
            ASSERT_NE(at, std::string::npos) << status << " in " << *got;
            ++at;
        }
        EXPECT_EQ(got->find("HTTP/1.1", at), std::string::npos) << "one answer too many in " << *got;
    }
    EXPECT_TRUE(controls().empty());
}

// Clients that send a header and never end it, more than one address may
// hold: each that asks takes the place of the one that has waited longest,
// the rest go at the header's deadline, and a stop closes them all at once.
TEST_F(WebSecurity, ClientsThatNeverFinishNeitherKeepOutOthersNorHoldUpTheStop) {
    std::vector<std::unique_ptr<RawSocket>> slow;
    for (std::size_t i = 0; i < WebServer::kPerAddress + 8; ++i)
        slow.push_back(std::make_unique<RawSocket>(port, "GET /api/state HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: "));
    // Browser-like pollers on kept connections, beyond the address's share too.
    std::vector<std::unique_ptr<WebClient>> pollers;
    for (std::size_t i = 0; i < WebServer::kPerAddress + 6; ++i) {
        pollers.push_back(std::make_unique<WebClient>(port));
        pollers.back()->http.set_keep_alive(true);
    }
    for (int round = 0; round < 3; ++round)
        for (auto& p : pollers) {
            auto r = p->get("/api/session");
            ASSERT_TRUE(r) << round;
            EXPECT_EQ(r->status, 200);
        }
    EXPECT_TRUE(slow.front()->answer()) << "the longest waiting gave its place";
    RawSocket stream(port, "GET /api/events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    server.reset();
    for (auto& s : slow) EXPECT_TRUE(s->answer());
    EXPECT_TRUE(stream.answer());
}

TEST_F(WebSecurity, AStreamWhoseClientDoesNotReadIsDropped) {
    WebClient page(port);
    ASSERT_TRUE(page.login("right one"));
    RawSocket deaf(port, "GET /api/events HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: " + page.cookie + "\r\n\r\n");
    eventually([&] { return hub.streams() == 1; });
    const std::string line(4000, 'x');
    EXPECT_TRUE(eventually([&] {
        for (int i = 0; i < 50; ++i) hub.publishLine(line);
        return hub.streams() == 0;
    }, std::chrono::milliseconds(20)));
}

TEST_F(WebSecurity, ASysopAlwaysGetsAStreamAndItEndsWithTheSession) {
    WebClient page(port);
    ASSERT_TRUE(page.login("right one"));
    std::vector<std::unique_ptr<RawSocket>> streams;
    for (std::size_t i = 0; i <= EventHub::kMaxStreams; ++i) {  // one more than there are slots
        streams.push_back(
            std::make_unique<RawSocket>(port, "GET /api/events HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: " + page.cookie + "\r\n\r\n"));
        if (i == 0) eventually([&] { return hub.streams() == 1; });  // the oldest is this one
    }
    EXPECT_TRUE(streams.front()->answer());  // the oldest gave its slot to the newest
    EXPECT_EQ(page.post("/api/logout", "{}")->status, 200);
    for (std::size_t i = 1; i < streams.size(); ++i)
        EXPECT_TRUE(streams[i]->answer()) << i;  // the session's streams end with it
}

TEST_F(WebSecurity, WithACertificateOnlyTlsIsServedAndTheCookieIsSecure) {
    TempDir dir;
    const std::string make = "openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -days 1 -keyout " +
                             dir.file("key.pem") + " -out " + dir.file("cert.pem") + " 2>/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0);
    WebSettings tls;
    tls.cert = dir.file("cert.pem");
    tls.key = dir.file("key.pem");
    ASSERT_NO_FATAL_FAILURE(serve(tls));

    httplib::SSLClient client("127.0.0.1", port);
    client.enable_server_certificate_verification(false);
    auto login = client.Post("/api/login", {{"Origin", "https://127.0.0.1:" + std::to_string(port)}},
                             "{\"password\":\"right one\"}", "application/json");
    ASSERT_TRUE(login);
    EXPECT_EQ(login->status, 200);
    const std::string cookie = login->get_header_value("Set-Cookie");
    EXPECT_NE(cookie.find("; HttpOnly; SameSite=Strict; Secure"), std::string::npos) << cookie;
    auto plain = WebClient(port).get("/api/session");
    EXPECT_TRUE(!plain || plain->status >= 400);  // no plain HTTP beside it

    tls.cert = dir.file("none.pem");
    WebServer broken(tls, ListenAt{"127.0.0.1", freePort()}, Served{hub, {}, {}, {}, {}, {}});
    std::string problem;
    EXPECT_FALSE(broken.start(problem));
    EXPECT_NE(problem.find("cannot serve TLS"), std::string::npos) << problem;
}

TEST(EventHub, AnonymousStreamsTakeAtMostHalfTheSlots) {
    EventHub hub;
    std::vector<std::unique_ptr<EventHub::Stream>> open;
    for (std::size_t i = 0; i < EventHub::kMaxStreams / 2; ++i) open.push_back(hub.open(true));
    EXPECT_EQ(hub.open(true), nullptr);
    while (open.size() < EventHub::kMaxStreams) open.push_back(hub.open(false));
    EXPECT_NE(hub.open(false), nullptr);  // a sysop's still: the oldest anonymous one is dropped
    EXPECT_TRUE(open.front()->take().closed);
    EXPECT_FALSE(open.back()->take().closed);
}
