#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "core/StationLoop.h"
#include "report/PostContract.h"
#include "report/curl/CurlPost.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// With a proxy in the environment, which the post must pass by: its port refuses.
struct Curl {
    static constexpr bool kOnlyTheProgramsHeaders = true;  // curl's own are switched off
    Curl() { setenv("http_proxy", ("http://127.0.0.1:" + std::to_string(proxy.port())).c_str(), 1); }
    ~Curl() { unsetenv("http_proxy"); }

    LoopbackServer proxy{nullptr};
    tc::StationLoop loop;
    tc::CurlPost client{loop};
};

INSTANTIATE_TYPED_TEST_SUITE_P(Curl, PostContract, Curl);

// However the server behaves, the report lets go at its time bound, not
// before, and at its answer limit: the client ends the exchange, never the
// server's guard against a client that hangs on.
using CurlPostTest = PostContract<Curl>;
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
        EXPECT_FALSE(server.gaveUp());
        EXPECT_FALSE(server.request().empty());
        EXPECT_EQ(answer, std::string(answer.size(), 'x'));
    }
    const std::string chunk = patternBytes(64 * 1024);
    LoopbackServer flood([&](auto& send) {
        for (send("HTTP/1.0 200 OK\r\n\r\n"); send(chunk);) {
        }
    });
    EXPECT_EQ(post(flood.port(), {2s, 100000}), chunk + chunk.substr(0, 100000 - chunk.size()));
    EXPECT_FALSE(flood.gaveUp());
}

}  // namespace
