#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackServer.h"
#include "app/StationLoop.h"
#include "report/Http.h"
#include "report/UsageReport.h"
#include "report/curl/CurlTransport.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Passes every call on to the real client and notes the count of each read.
class CountingTransport : public tc::HttpTransport {
public:
    explicit CountingTransport(tc::HttpTransport& inner) : inner_(inner) {}
    std::vector<std::size_t> reads;

    tc::HttpHandle open(const std::string& a) override { return inner_.open(a); }
    tc::HttpHandle connect(tc::HttpHandle s, const std::string& h, int p) override {
        return inner_.connect(s, h, p);
    }
    tc::HttpHandle openRequest(tc::HttpHandle c, const std::string& verb, const std::string& path,
                               const std::string& version, std::uint32_t flags) override {
        return inner_.openRequest(c, verb, path, version, flags);
    }
    bool addRequestHeaders(tc::HttpHandle r, const std::string& h) override {
        return inner_.addRequestHeaders(r, h);
    }
    bool sendRequest(tc::HttpHandle r, const std::string& b) override { return inner_.sendRequest(r, b); }
    std::size_t readFile(tc::HttpHandle r, char* buffer, std::size_t size) override {
        reads.push_back(inner_.readFile(r, buffer, size));
        return reads.back();
    }
    bool closeHandle(tc::HttpHandle h) override { return inner_.closeHandle(h); }

private:
    tc::HttpTransport& inner_;
};

struct Received {
    std::string requestLine;
    std::vector<std::string> names;  // lower case, in the order sent
    std::map<std::string, std::string> values;
    std::string body;
};

Received parseRequest(const std::string& raw) {
    Received r;
    auto headEnd = raw.find("\r\n\r\n");
    if (headEnd == std::string::npos) return r;
    r.body = raw.substr(headEnd + 4);
    std::size_t start = 0;
    for (bool first = true; start <= headEnd; first = false) {
        std::size_t end = raw.find("\r\n", start);
        std::string line = raw.substr(start, end - start);
        start = end + 2;
        if (first) {
            r.requestLine = line;
            continue;
        }
        auto colon = line.find(':');
        std::string name = line.substr(0, colon);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        r.names.push_back(name);
        r.values[name] = line.substr(line.find_first_not_of(' ', colon + 1));
    }
    return r;
}

// Sets an environment variable for the life of the guard.
class EnvGuard {
public:
    EnvGuard(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~EnvGuard() {
        if (old_.empty())
            ::unsetenv(name_);
        else
            ::setenv(name_, old_.c_str(), 1);
    }

private:
    const char* name_;
    std::string old_;
};

class CurlTransportTest : public ::testing::Test {
protected:
    struct Outcome {
        std::string answer;
        std::vector<std::size_t> reads;
        Clock::duration took;
    };

    // One form post to 127.0.0.1:port through the real client.
    Outcome post(int port, tc::CurlSettings settings = {}) {
        tc::CurlTransport curl(loop, settings);
        CountingTransport counting(curl);
        tc::Http http(counting, loop);
        auto start = Clock::now();
        http.OpenRequest("127.0.0.1", "/EP/stats.php", port);
        http.AddField("Callsign", "N0CALL-L");
        Outcome out;
        out.answer = http.Send();
        out.took = Clock::now() - start;
        out.reads = counting.reads;
        return out;
    }

    static tc::CurlSettings bound(std::chrono::milliseconds timeout) {
        tc::CurlSettings settings;
        settings.timeout = timeout;
        return settings;
    }

    tc::StationLoop loop;
};

TEST_F(CurlTransportTest, WireCarriesOneHttp10PostWithExactlyTheProgramsHeadersAndTheBodyUnencoded) {
    LoopbackServer server([](LoopbackServer::Peer& peer) { peer.send(okAnswer("thanks")); });
    // A proxy named in the environment must not be used.
    RefusingPort proxy;
    std::string proxyUrl = "http://127.0.0.1:" + std::to_string(proxy.port());
    EnvGuard http("http_proxy", proxyUrl), httpUpper("HTTP_PROXY", proxyUrl), all("ALL_PROXY", proxyUrl);

    tc::CurlTransport curl(loop);
    tc::UsageReport report(curl, loop, tc::StatsServer{"127.0.0.1", server.port()});
    std::string told;
    report.onReport = [&](const std::string& body) { told = body; };
    report.SaveUserData("W1 AW&X-R", "Tailchime", "2.0.1");

    const std::string body = "Callsign=W1 AW&X-R&Program=Tailchime&Ver=2.0.1";
    Received r = parseRequest(server.request());
    EXPECT_EQ(r.requestLine, "POST /EP/stats.php HTTP/1.0");
    std::vector<std::string> names = r.names;
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"content-length", "content-type", "host", "user-agent"}));
    EXPECT_EQ(r.values["content-type"], "application/x-www-form-urlencoded");
    EXPECT_EQ(r.values["user-agent"], "Tailchime");
    EXPECT_EQ(r.values["content-length"], std::to_string(body.size()));
    const std::string& host = r.values["host"];
    EXPECT_EQ(host.substr(0, host.find(':')), "127.0.0.1");
    if (host.find(':') != std::string::npos) {
        EXPECT_EQ(host.substr(host.find(':') + 1), std::to_string(server.port()));
    }
    EXPECT_EQ(r.body, body);
    EXPECT_EQ(told, body);
}

TEST_F(CurlTransportTest, AnswersAreReadInSlicesOfAtMost1024AndJoinedInOrder) {
    {
        LoopbackServer server([](LoopbackServer::Peer& peer) { peer.send(okAnswer("")); });
        Outcome out = post(server.port());
        EXPECT_EQ(out.answer, "");
        EXPECT_EQ(out.reads, std::vector<std::size_t>{0});
    }
    {
        const std::string content = patternBytes(5000);
        LoopbackServer server([&](LoopbackServer::Peer& peer) { peer.send(okAnswer(content)); });
        Outcome out = post(server.port());
        EXPECT_EQ(out.answer, content);
        EXPECT_GE(out.reads.size(), 6u);
        EXPECT_EQ(out.reads.back(), 0u);
        EXPECT_LE(*std::max_element(out.reads.begin(), out.reads.end()), 1024u);
    }
}

TEST_F(CurlTransportTest, BrokenOrMissingServersGiveWhatArrivedOrNothing) {
    {
        RefusingPort refusing;
        Outcome out = post(refusing.port());
        EXPECT_EQ(out.answer, "");
        EXPECT_EQ(out.reads, std::vector<std::size_t>{0});
    }
    {
        const std::string content = patternBytes(5000);
        LoopbackServer server([&](LoopbackServer::Peer& peer) {
            peer.send(okAnswer(content).substr(0, okAnswer(content).size() - 3000));
        });
        EXPECT_EQ(post(server.port()).answer, content.substr(0, 2000));
    }
    {
        LoopbackServer server([](LoopbackServer::Peer& peer) { peer.send("SSH-2.0-OpenSSH_9.2\r\n"); });
        EXPECT_EQ(post(server.port()).answer, "");
    }
}

TEST_F(CurlTransportTest, SilentServerIsCutAtTheBoundWhileTheStationsTimersTick) {
    tc::StationLoop realLoop(tc::StationLoop::Pace::Real);
    auto timer = realLoop.newTimer(20, true);
    int ticks = 0;
    timer->onTick = [&] { ++ticks; };
    LoopbackServer server([](LoopbackServer::Peer& peer) { peer.waitForClose(); });

    tc::CurlTransport curl(realLoop, bound(300ms));
    tc::Http http(curl, realLoop);
    auto start = Clock::now();
    http.OpenRequest("127.0.0.1", "/EP/stats.php", server.port());
    EXPECT_EQ(http.Send(), "");
    auto took = Clock::now() - start;

    EXPECT_FALSE(server.request().empty());
    EXPECT_GE(took, 250ms);
    EXPECT_LT(took, 5s);
    EXPECT_GE(ticks, 3);
}

TEST_F(CurlTransportTest, EndlesslySlowAnswerIsCutAtTheBound) {
    LoopbackServer server([](LoopbackServer::Peer& peer) {
        peer.send("HTTP/1.0 200 OK\r\n\r\n");
        while (peer.send("x")) std::this_thread::sleep_for(20ms);
    });
    Outcome out = post(server.port(), bound(300ms));
    EXPECT_LT(out.took, 5s);
    EXPECT_FALSE(out.answer.empty());
    EXPECT_EQ(out.answer, std::string(out.answer.size(), 'x'));
}

TEST_F(CurlTransportTest, EndlessFloodIsDroppedAtTheAnswerLimit) {
    const std::string chunk = patternBytes(64 * 1024);
    LoopbackServer server([&](LoopbackServer::Peer& peer) {
        peer.send("HTTP/1.0 200 OK\r\n\r\n");
        while (peer.send(chunk)) {
        }
    });
    tc::CurlSettings settings = bound(2s);
    settings.answerLimit = 100000;
    Outcome out = post(server.port(), settings);
    ASSERT_EQ(out.answer.size(), 100000u);
    EXPECT_EQ(out.answer.substr(0, chunk.size()), chunk);
    EXPECT_EQ(out.answer.substr(chunk.size()), chunk.substr(0, 100000 - chunk.size()));
    EXPECT_LT(out.took, 5s);
}

TEST_F(CurlTransportTest, EventPostedToTheStationRunsWhileTheReportWaitsForItsAnswer) {
    std::atomic<bool> handled{false};
    std::atomic<bool> answeredAfterEvent{false};
    LoopbackServer server([&](LoopbackServer::Peer& peer) {
        for (auto until = Clock::now() + 5s; !handled && Clock::now() < until;)
            std::this_thread::sleep_for(5ms);
        answeredAfterEvent = handled.load();
        peer.send(okAnswer("ok"));
    });
    std::vector<std::string> order;
    std::thread::id ranOn;
    loop.post(0, tc::Lane::Outside, [&] {
        order.push_back("event");
        ranOn = std::this_thread::get_id();
        handled = true;
    });

    tc::CurlTransport curl(loop);
    tc::UsageReport report(curl, loop, tc::StatsServer{"127.0.0.1", server.port()});
    report.onReport = [&](const std::string&) { order.push_back("report"); };
    report.SaveUserData("N0CALL-L", "Tailchime", "2.0.1");

    EXPECT_TRUE(answeredAfterEvent);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_EQ(order, (std::vector<std::string>{"event", "report"}));
}

TEST_F(CurlTransportTest, ClosedOrUnknownHandlesFailQuietly) {
    tc::CurlTransport curl(loop);
    char buffer[16];
    EXPECT_EQ(curl.connect(tc::kNoHttpHandle, "127.0.0.1", 80), tc::kNoHttpHandle);
    EXPECT_EQ(curl.readFile(12345, buffer, sizeof buffer), 0u);
    EXPECT_FALSE(curl.closeHandle(12345));

    tc::HttpHandle session = curl.open("Tailchime");
    tc::HttpHandle connection = curl.connect(session, "127.0.0.1", 80);
    tc::HttpHandle request = curl.openRequest(connection, "POST", "/", "HTTP/1.0", 0);
    ASSERT_NE(request, tc::kNoHttpHandle);
    EXPECT_FALSE(curl.addRequestHeaders(request, "no colon here\r\n"));
    EXPECT_EQ(curl.readFile(request, buffer, sizeof buffer), 0u);  // not sent yet

    // The session takes everything opened under it along.
    EXPECT_TRUE(curl.closeHandle(session));
    EXPECT_FALSE(curl.closeHandle(connection));
    EXPECT_FALSE(curl.addRequestHeaders(request, "A: b\r\n"));
    EXPECT_FALSE(curl.sendRequest(request, "x"));
    EXPECT_FALSE(curl.closeHandle(request));
}

}  // namespace
