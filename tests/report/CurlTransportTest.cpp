#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackServer.h"
#include "core/StationLoop.h"
#include "report/Http.h"
#include "report/UsageReport.h"
#include "report/curl/CurlTransport.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Strings = std::vector<std::string>;

// The real client, with every read's count noted along with how many of the
// events posted by earlier reads have run; each read posts one more.
class Recorder : public tc::HttpTransport {
public:
    Recorder(tc::StationLoop& loop, tc::CurlSettings settings) : loop_(loop), curl_(loop, settings) {}

    std::vector<std::size_t> reads;
    std::vector<int> eventsRunBeforeRead;
    int eventsRun = 0;
    std::size_t overstate = 0;  // added to every count, as a broken client might

    tc::HttpHandle open(const std::string& agent) override { return curl_.open(agent); }
    tc::HttpHandle connect(tc::HttpHandle session, const std::string& server, int port) override {
        return curl_.connect(session, server, port);
    }
    tc::HttpHandle openRequest(tc::HttpHandle connection, const std::string& verb, const std::string& path,
                               const std::string& version, std::uint32_t flags) override {
        return curl_.openRequest(connection, verb, path, version, flags);
    }
    bool addRequestHeaders(tc::HttpHandle r, const std::string& h) override { return curl_.addRequestHeaders(r, h); }
    bool sendRequest(tc::HttpHandle request, const std::string& body) override {
        return curl_.sendRequest(request, body);
    }
    bool closeHandle(tc::HttpHandle handle) override { return curl_.closeHandle(handle); }
    std::size_t readFile(tc::HttpHandle request, char* buffer, std::size_t size) override {
        eventsRunBeforeRead.push_back(eventsRun);
        loop_.post(loop_.nowMs(), tc::Lane::Outside, [this] { ++eventsRun; });
        reads.push_back(curl_.readFile(request, buffer, size));
        return reads.back() == 0 ? 0 : reads.back() + overstate;
    }

private:
    tc::StationLoop& loop_;
    tc::CurlTransport curl_;
};

class CurlTransportTest : public ::testing::Test {
protected:
    // The usage report, or a one-field form post and its answer, to
    // 127.0.0.1:port through the real client.
    std::string post(int port, bool report = false) {
        recorder = std::make_unique<Recorder>(loop, settings);
        recorder->overstate = overstate;
        if (report) {
            tc::UsageReport usage(*recorder, loop, tc::StatsServer{"127.0.0.1", port});
            told = usage.SaveUserData("W1 AW&X-R", "Tailchime", "2.0.1");
            return "";
        }
        tc::Http http(*recorder, loop);
        http.OpenRequest("127.0.0.1", "/EP/stats.php", port);
        http.AddField("Callsign", "N0CALL-L");
        return http.Send();
    }

    tc::StationLoop loop;
    tc::CurlSettings settings;
    std::size_t overstate = 0;
    std::unique_ptr<Recorder> recorder;
    std::string told;
};

// The request line, exactly the program's headers and the form data as
// typed, straight to the server even with a proxy in the environment; then
// the session and all under it are closed.
TEST_F(CurlTransportTest, ReportGoesOnTheWireAsOneHttp10PostWithExactlyTheProgramsHeaders) {
    LoopbackServer proxy(nullptr), server([](auto& send) { send(okAnswer("thanks")); });
    setenv("http_proxy", ("http://127.0.0.1:" + std::to_string(proxy.port())).c_str(), 1);
    post(server.port(), true);
    unsetenv("http_proxy");

    const std::string body = "Callsign=W1 AW&X-R&Program=Tailchime&Ver=2.0.1";
    std::istringstream wire(server.request());
    std::string requestLine, line;
    Strings head;
    for (std::getline(wire, requestLine); std::getline(wire, line) && line != "\r"; head.push_back(line))
        std::transform(line.begin(), line.begin() + static_cast<long>(std::min(line.find(':'), line.size())),
                       line.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::sort(head.begin(), head.end());
    EXPECT_EQ(requestLine, "POST /EP/stats.php HTTP/1.0\r");
    EXPECT_EQ(head, (Strings{"content-length: " + std::to_string(body.size()) + "\r",
                             "content-type: application/x-www-form-urlencoded\r",
                             "host: 127.0.0.1:" + std::to_string(server.port()) + "\r", "user-agent: Tailchime\r"}));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(wire), {}), body);
    EXPECT_EQ(told, body);
    for (tc::HttpHandle h : {1, 2, 3}) EXPECT_FALSE(recorder->closeHandle(h)) << h;  // all gone with the session
}

// Read a buffer at a time, in order, with the station's events run after
// every read. A client overstating its counts gets no more than a full buffer
// a read believed: beyond the real bytes is whatever the buffer held before.
TEST_F(CurlTransportTest, AnswersAreReadInSlicesOfAtMost1024JoinedInOrder) {
    for (const std::string& content : {std::string(), patternBytes(5000)}) {
        LoopbackServer server([&](auto& send) { send(okAnswer(content)); });
        EXPECT_EQ(post(server.port()), content);
        const auto& reads = recorder->reads;
        EXPECT_GE(reads.size(), (content.size() + 1023) / 1024 + 1);
        EXPECT_EQ(reads.back(), 0u);
        EXPECT_LE(*std::max_element(reads.begin(), reads.end()), 1024u);
        for (int i = 0; i < static_cast<int>(reads.size()); ++i) EXPECT_EQ(recorder->eventsRunBeforeRead[i], i);
    }
    LoopbackServer server([&](auto& send) { send(okAnswer(patternBytes(3000))); });
    overstate = 5000;
    std::string answer = post(server.port());
    EXPECT_EQ(answer.size(), (recorder->reads.size() - 1) * tc::Http::kReadBufferSize);
    EXPECT_EQ(answer.substr(0, recorder->reads[0]), patternBytes(recorder->reads[0]));
}

// A refused connection, a server that closes mid-answer or one that speaks
// no HTTP: what arrived, or nothing.
TEST_F(CurlTransportTest, BrokenOrMissingServersGiveWhatArrivedOrNothing) {
    LoopbackServer refusing(nullptr);
    EXPECT_EQ(post(refusing.port()), "");
    EXPECT_EQ(recorder->reads, std::vector<std::size_t>{0});
    const std::string content = patternBytes(5000), whole = okAnswer(content);
    for (auto [answer, arrives] : {std::pair{whole.substr(0, whole.size() - 3000), content.substr(0, 2000)},
                                   {std::string("SSH-2.0-OpenSSH_9.2\r\n"), std::string()}}) {
        LoopbackServer server([&](auto& send) { send(answer); });
        EXPECT_EQ(post(server.port()), arrives);
    }
}

// However the server behaves, the report costs the station no more than its
// time bound and its answer limit.
TEST_F(CurlTransportTest, SilentSlowAndFloodingServersAreCutAtTheBounds) {
    settings.timeout = 300ms;
    using Script = std::function<void(const LoopbackServer::Send&)>;
    for (const Script& script : {Script([](auto& send) {
                                     while (send("")) std::this_thread::sleep_for(10ms);
                                 }),
                                 Script([](auto& send) {
                                     for (send("HTTP/1.0 200 OK\r\n\r\n"); send("x");)
                                         std::this_thread::sleep_for(20ms);
                                 })}) {
        LoopbackServer server(script);
        auto start = Clock::now();
        std::string answer = post(server.port());
        EXPECT_GE(Clock::now() - start, 250ms);
        EXPECT_LT(Clock::now() - start, 5s);
        EXPECT_FALSE(server.request().empty());
        EXPECT_EQ(answer, std::string(answer.size(), 'x'));
    }
    settings = {2s, 100000};
    const std::string chunk = patternBytes(64 * 1024);
    LoopbackServer flood([&](auto& send) {
        for (send("HTTP/1.0 200 OK\r\n\r\n"); send(chunk);) {
        }
    });
    auto start = Clock::now();
    EXPECT_EQ(post(flood.port()), chunk + chunk.substr(0, 100000 - chunk.size()));
    EXPECT_LT(Clock::now() - start, 5s);
}

// An event due before the report waits until the request is on the wire and
// the server has begun its answer (a handler may end the program); then it
// runs while the rest of the answer is read.
TEST_F(CurlTransportTest, EventsWaitUntilTheReportIsSentAndRunWhileItsAnswerIsRead) {
    std::atomic<bool> handled{false}, handledBeforeRequest{true}, handledBeforeBody{false};
    LoopbackServer server([&](auto& send) {
        handledBeforeRequest = handled.load();
        send("HTTP/1.0 200 OK\r\n\r\n");
        for (auto until = Clock::now() + 5s; !handled && Clock::now() < until;) std::this_thread::sleep_for(5ms);
        handledBeforeBody = handled.load();
        send("ok");
    });
    loop.post(0, tc::Lane::Outside, [&] { handled = true; });
    EXPECT_EQ(post(server.port()), "ok");
    EXPECT_FALSE(handledBeforeRequest);
    EXPECT_TRUE(handledBeforeBody);
}

}  // namespace
