// What every client of the usage report does, whatever library it is made
// of. Each client's test program runs these cases against its own client:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, PostContract, Client);
// where Client holds `loop` (the station's) and `client` (the ReportPost on
// it), and says whether the server gets exactly the program's headers
// (kOnlyTheProgramsHeaders) or those among the library's own.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/EventLoop.h"
#include "report/LoopbackServer.h"
#include "report/UsageReport.h"

template <class Client>
class PostContract : public testing::Test {
protected:
    // A one-field form post to 127.0.0.1:port through the real client; its answer.
    std::string post(int port, tc::PostBounds bounds = {}) {
        return c.client.post({"127.0.0.1", port}, "/EP/stats.php", "Callsign=N0CALL-L", bounds);
    }

    Client c;
};

TYPED_TEST_SUITE_P(PostContract);

// The request line, the program's headers (names in any case, no cookie) and
// the form data as typed, not encoded.
TYPED_TEST_P(PostContract, TheReportIsOneHttp10FormPostWithTheProgramsHeaders) {
    LoopbackServer server([](auto& send) { send(okAnswer("thanks")); });
    const std::string told = tc::UsageReport(this->c.client, {"127.0.0.1", server.port()})
                                 .SaveUserData("W1 AW&X-R", "Tailchime", "2.0.1");

    const std::string body = "Callsign=W1 AW&X-R&Program=Tailchime&Ver=2.0.1";
    std::istringstream wire(server.request());
    std::string requestLine, line;
    std::vector<std::string> head;
    for (std::getline(wire, requestLine); std::getline(wire, line) && line != "\r"; head.push_back(line))
        std::transform(line.begin(), line.begin() + static_cast<long>(std::min(line.find(':'), line.size())),
                       line.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::sort(head.begin(), head.end());
    const std::vector<std::string> programs{"content-length: " + std::to_string(body.size()) + "\r",
                                            "content-type: application/x-www-form-urlencoded\r",
                                            "host: 127.0.0.1:" + std::to_string(server.port()) + "\r",
                                            "user-agent: Tailchime\r"};
    EXPECT_EQ(requestLine, "POST /EP/stats.php HTTP/1.0\r");
    if (TypeParam::kOnlyTheProgramsHeaders) {
        EXPECT_EQ(head, programs);
    }
    for (const std::string& header : programs)
        EXPECT_TRUE(std::binary_search(head.begin(), head.end(), header)) << header;
    EXPECT_TRUE(std::none_of(head.begin(), head.end(), [](auto& h) { return h.rfind("cookie", 0) == 0; }));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(wire), {}), body);
    EXPECT_EQ(told, body);
}

// The answer in order up to its limit; from a server that closes mid-answer
// or speaks no HTTP, what arrived or nothing; from a refused connection,
// nothing.
TYPED_TEST_P(PostContract, TheAnswerIsWhatArrivedInOrderUpToItsLimit) {
    const std::string content = patternBytes(5000), whole = okAnswer(content);
    struct Case {
        std::string answer;
        std::size_t limit;
        std::string arrives;
    };
    for (const Case& k : {Case{okAnswer(""), 64 * 1024, ""}, Case{whole, 64 * 1024, content},
                          Case{whole, 2500, content.substr(0, 2500)},
                          Case{whole.substr(0, whole.size() - 3000), 64 * 1024, content.substr(0, 2000)},
                          Case{"SSH-2.0-OpenSSH_9.2\r\n", 64 * 1024, ""}}) {
        LoopbackServer server([&](auto& send) { send(k.answer); });
        EXPECT_EQ(this->post(server.port(), {std::chrono::seconds(10), k.limit}), k.arrives) << k.answer.size();
    }
    LoopbackServer refusing(nullptr);
    EXPECT_EQ(this->post(refusing.port()), "");
}

// An event due before the report waits until the request is on the wire and
// the server has begun its answer (a handler may end the program); then it
// runs while the rest of the answer is on its way.
TYPED_TEST_P(PostContract, EventsWaitUntilTheReportIsSentAndRunWhileItsAnswerArrives) {
    std::atomic<bool> handled{false}, handledBeforeRequest{true}, handledBeforeRest{false};
    const std::string first = patternBytes(2048);
    LoopbackServer server([&](auto& send) {
        handledBeforeRequest = handled.load();
        send("HTTP/1.0 200 OK\r\n\r\n" + first);
        while (!handled && send("")) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        handledBeforeRest = handled.load();
        send("ok");
    });
    this->c.loop.post(0, tc::Lane::Outside, [&] { handled = true; });
    EXPECT_EQ(this->post(server.port()), first + "ok");
    EXPECT_FALSE(handledBeforeRequest);
    EXPECT_TRUE(handledBeforeRest);
}

REGISTER_TYPED_TEST_SUITE_P(PostContract, TheReportIsOneHttp10FormPostWithTheProgramsHeaders,
                            TheAnswerIsWhatArrivedInOrderUpToItsLimit,
                            EventsWaitUntilTheReportIsSentAndRunWhileItsAnswerArrives);
