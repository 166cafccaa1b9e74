#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "app/StationLoop.h"
#include "report/Http.h"
#include "report/UsageReport.h"

namespace {

// An HTTP client that plays a server answering with `answer` and writes down
// every call it gets. Each read posts an event, so that the test sees whether
// the station's events ran between the reads.
class ScriptedTransport : public tc::HttpTransport {
public:
    explicit ScriptedTransport(tc::StationLoop& loop) : loop_(loop) {}

    std::string answer;
    std::size_t overstate = 0;  // added to every count, as a broken client might
    bool offline = false;       // every call fails, as with no network
    std::vector<std::string> calls;
    std::vector<std::size_t> reads;
    int eventsRun = 0;
    int eventsLateForNextRead = 0;

    tc::HttpHandle open(const std::string& agent) override {
        calls.push_back("open " + agent);
        return offline ? 0 : 1;
    }
    tc::HttpHandle connect(tc::HttpHandle session, const std::string& server, int port) override {
        calls.push_back("connect " + std::to_string(session) + " " + server + " " + std::to_string(port));
        return offline ? 0 : 2;
    }
    tc::HttpHandle openRequest(tc::HttpHandle connection, const std::string& verb, const std::string& path,
                               const std::string& version, std::uint32_t flags) override {
        calls.push_back("openRequest " + std::to_string(connection) + " " + verb + " " + path + " " +
                        version + " " + std::to_string(flags));
        return offline ? 0 : 3;
    }
    bool addRequestHeaders(tc::HttpHandle request, const std::string& headers) override {
        calls.push_back("addRequestHeaders " + std::to_string(request) + " [" + headers + "]");
        return !offline;
    }
    bool sendRequest(tc::HttpHandle request, const std::string& body) override {
        calls.push_back("sendRequest " + std::to_string(request) + " [" + body + "]");
        return !offline;
    }
    std::size_t readFile(tc::HttpHandle request, char* buffer, std::size_t size) override {
        if (eventsRun < static_cast<int>(reads.size())) ++eventsLateForNextRead;
        loop_.post(loop_.nowMs(), tc::Lane::Outside, [this] { ++eventsRun; });
        std::size_t count = offline || request != 3 ? 0 : std::min(size, answer.size() - served_);
        std::copy_n(answer.data() + served_, count, buffer);
        served_ += count;
        reads.push_back(count);
        return count == 0 ? 0 : count + overstate;
    }
    bool closeHandle(tc::HttpHandle handle) override {
        calls.push_back("closeHandle " + std::to_string(handle));
        return !offline;
    }

private:
    tc::StationLoop& loop_;
    std::size_t served_ = 0;
};

class HttpTest : public ::testing::Test {
protected:
    tc::StationLoop loop;
    ScriptedTransport transport{loop};
};

TEST_F(HttpTest, ReportMakesTheCallsInOrderAndClosesRequestThenSession) {
    tc::UsageReport report(transport, loop, tc::StatsServer{"stats.test", 8080});
    std::vector<std::string> told;
    report.onReport = [&](const std::string& body) { told.push_back(body); };
    transport.answer = "OK";

    report.SaveUserData("W1 AW&X-R", "Tailchime", "2.0.1");

    const std::string body = "Callsign=W1 AW&X-R&Program=Tailchime&Ver=2.0.1";
    std::vector<std::string> expected = {
        "open Tailchime",
        "connect 1 stats.test 8080",
        "openRequest 2 POST /EP/stats.php HTTP/1.0 67633152",  // no cache write, no cookies
        "addRequestHeaders 3 [Content-Type: application/x-www-form-urlencoded\r\n]",
        "sendRequest 3 [" + body + "]",
        "closeHandle 3",
        "closeHandle 1",
    };
    EXPECT_EQ(transport.calls, expected);
    EXPECT_EQ(transport.reads, (std::vector<std::size_t>{2, 0}));
    EXPECT_EQ(told, std::vector<std::string>{body});
}

TEST_F(HttpTest, BodyJoinsFieldsWithAmpersandsAndEncodesNothing) {
    tc::Http http(transport, loop);
    http.OpenRequest("h", "/p");
    EXPECT_EQ(http.body(), "");
    http.AddField("a b", "c=d&e");
    http.AddField("", "");
    http.AddField("Ver", "%20+");
    EXPECT_EQ(http.body(), "a b=c=d&e&=&Ver=%20+");

    // A new request starts from an empty body.
    http.OpenRequest("h", "/p");
    http.AddField("Callsign", "K1ABC-L");
    EXPECT_EQ(http.body(), "Callsign=K1ABC-L");
}

TEST_F(HttpTest, LongAnswerIsReadInSlicesJoinedInOrderWithEventsAfterEveryRead) {
    tc::Http http(transport, loop);
    http.OpenRequest("h", "/p");
    transport.answer = patternBytes(5000);

    EXPECT_EQ(http.Send(), transport.answer);
    EXPECT_EQ(transport.reads, (std::vector<std::size_t>{1024, 1024, 1024, 1024, 904, 0}));
    EXPECT_EQ(transport.eventsLateForNextRead, 0);
    EXPECT_EQ(transport.eventsRun, 6);
}

TEST_F(HttpTest, EmptyAnswerEndsAfterOneRead) {
    tc::Http http(transport, loop);
    http.OpenRequest("h", "/p");
    EXPECT_EQ(http.Send(), "");
    EXPECT_EQ(transport.reads, std::vector<std::size_t>{0});
    EXPECT_EQ(transport.eventsRun, 1);
}

TEST_F(HttpTest, OfflineClientGivesAnEmptyAnswerAndStillCloses) {
    transport.offline = true;
    tc::UsageReport report(transport, loop);
    bool told = false;
    report.onReport = [&](const std::string&) { told = true; };

    report.SaveUserData("N0CALL-L", "Tailchime", "2.0.1");

    EXPECT_EQ(transport.calls.front(), "open Tailchime");
    EXPECT_EQ(transport.calls.at(1), "connect 0 stats.tailchime.example 80");
    EXPECT_EQ(transport.reads, std::vector<std::size_t>{0});
    EXPECT_EQ(transport.calls.back(), "closeHandle 0");
    EXPECT_TRUE(told);
}

TEST_F(HttpTest, ClientOverstatingItsCountNeverOverrunsTheBuffer) {
    tc::Http http(transport, loop);
    http.OpenRequest("h", "/p");
    transport.answer = patternBytes(3000);
    transport.overstate = 5000;

    // Each read counts as one full buffer at most; what it holds beyond the
    // real bytes is whatever the buffer held before.
    std::string answer = http.Send();
    EXPECT_EQ(answer.size(), 3 * tc::Http::kReadBufferSize);
    EXPECT_EQ(answer.substr(0, 3000), transport.answer);
}

}  // namespace
