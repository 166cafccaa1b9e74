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
#include "report/UsageReport.h"
#include "report/curl/CurlPost.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Strings = std::vector<std::string>;

class CurlPostTest : public ::testing::Test {
protected:
    // A one-field form post to 127.0.0.1:port through the real client; its answer.
    std::string post(int port, tc::PostBounds bounds = {}) {
        return client.post({"127.0.0.1", port}, "/EP/stats.php", "Callsign=N0CALL-L", bounds);
    }

    tc::StationLoop loop;
    tc::CurlPost client{loop};
};

// The request line, exactly the program's headers and the form data as
// typed, straight to the server even with a proxy in the environment.
TEST_F(CurlPostTest, ReportGoesOnTheWireAsOneHttp10PostWithExactlyTheProgramsHeaders) {
    LoopbackServer proxy(nullptr), server([](auto& send) { send(okAnswer("thanks")); });
    setenv("http_proxy", ("http://127.0.0.1:" + std::to_string(proxy.port())).c_str(), 1);
    const std::string told = tc::UsageReport(client, {"127.0.0.1", server.port()})
                                 .SaveUserData("W1 AW&X-R", "Tailchime", "2.0.1");
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
}

// The whole answer in order; from a server that closes mid-answer or speaks
// no HTTP, what arrived or nothing; from a refused connection, nothing.
TEST_F(CurlPostTest, TheAnswerIsWhatArrivedInOrder) {
    const std::string content = patternBytes(5000), whole = okAnswer(content);
    for (auto [answer, arrives] : {std::pair{okAnswer(""), std::string()}, {whole, content},
                                   {whole.substr(0, whole.size() - 3000), content.substr(0, 2000)},
                                   {std::string("SSH-2.0-OpenSSH_9.2\r\n"), std::string()}}) {
        LoopbackServer server([&](auto& send) { send(answer); });
        EXPECT_EQ(post(server.port()), arrives);
    }
    LoopbackServer refusing(nullptr);
    EXPECT_EQ(post(refusing.port()), "");
}

// However the server behaves, the report costs the station no more than its
// time bound and its answer limit.
TEST_F(CurlPostTest, SilentSlowAndFloodingServersAreCutAtTheBounds) {
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
        std::string answer = post(server.port(), {300ms, 64 * 1024});
        EXPECT_GE(Clock::now() - start, 250ms);
        EXPECT_LT(Clock::now() - start, 5s);
        EXPECT_FALSE(server.request().empty());
        EXPECT_EQ(answer, std::string(answer.size(), 'x'));
    }
    const std::string chunk = patternBytes(64 * 1024);
    LoopbackServer flood([&](auto& send) {
        for (send("HTTP/1.0 200 OK\r\n\r\n"); send(chunk);) {
        }
    });
    auto start = Clock::now();
    EXPECT_EQ(post(flood.port(), {2s, 100000}), chunk + chunk.substr(0, 100000 - chunk.size()));
    EXPECT_LT(Clock::now() - start, 5s);
}

// An event due before the report waits until the request is on the wire and
// the server has begun its answer (a handler may end the program); then it
// runs while the rest of the answer is on its way.
TEST_F(CurlPostTest, EventsWaitUntilTheReportIsSentAndRunWhileItsAnswerArrives) {
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
