// The web page against the real program on the real clock: a password set
// from standard input, the view and the controls behind the login, the
// state following the station, history.sqlite beside tailchime.ini.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "history/Tally.h"
#include "history/UtcTime.h"
#include "support/ProgramRun.h"
#include "web/RawSocket.h"
#include "web/WebClient.h"

namespace {

const std::string kProgram = TAILCHIME_TEST_BIN;

// The millisecond stamp of the first transcript line holding text.
std::int64_t stampOf(const std::string& transcript, const std::string& text) {
    const auto lines = linesWith(transcript, text);
    return lines.empty() ? -1 : std::stoll(lines.front());
}

}  // namespace

TEST(WebProgram, LoginThenTheStationFollowedAndSwitchedOffFromThePage) {
    TempDir dir;
    FILE* password = popen((kProgram + " --web-password --config-dir " + dir.path() + " 2>/dev/null").c_str(), "w");
    ASSERT_NE(password, nullptr);
    fputs("n0 kerchunks\n", password);
    ASSERT_EQ(pclose(password), 0);

    std::ofstream(dir.file("station.tcs")) << "callsign W1AW-R\n"
                                              "at 1000 carrier up\n"    // counted, with its courtesy
                                              "at 3000 click Command11\n"  // a test from the script
                                              "at 5000 carrier down\n"
                                              "at 6000 carrier up\n"    // a kerchunk
                                              "at 6500 carrier down\n"
                                              "at 600000 end\n";  // the test stops it
    const int port = freePort();
    Child program({kProgram, "--headless", dir.file("station.tcs"), "--web", "127.0.0.1:" + std::to_string(port),
                   "--config-dir", dir.path()});
    ASSERT_TRUE(program.waitOut("web \"serving http://127.0.0.1:" + std::to_string(port) + "/\""));

    WebClient page(port);
    auto home = page.get("/");
    EXPECT_EQ(home->status, 200);
    EXPECT_NE(home->body.find("<script src=\"/page.js\""), std::string::npos);
    EXPECT_EQ(page.get("/api/state")->status, 401);
    EXPECT_EQ(page.get("/api/history?days=30")->status, 401);

    ASSERT_TRUE(page.login("n0 kerchunks"));
    EXPECT_TRUE(page.stateHas("\"callsign\":\"W1AW-R\",\"on\":true"));
    EXPECT_TRUE(page.stateHas("\"rf\":true,\"internet\""));            // the carrier's lamp
    EXPECT_TRUE(page.stateHas("\"today\":{\"overs\":1,\"kerchunks\":1,\"courtesies\":1"));
    EXPECT_EQ(page.post("/api/control", "{\"action\":\"test-internet\"}")->status, 200);  // and one from the page

    EXPECT_EQ(page.post("/api/control", "{\"action\":\"off\"}")->status, 200);
    EXPECT_TRUE(page.stateHas("\"on\":false"));
    program.signal(SIGTERM);
    EXPECT_EQ(program.wait(), 0);

    const std::string transcript = program.out();
    const std::int64_t switchedOff = stampOf(transcript, "web \"off from 127.0.0.1\"");
    ASSERT_GT(switchedOff, 0) << transcript;
    EXPECT_GT(stampOf(transcript, "save"), switchedOff);
    EXPECT_EQ(linesWith(transcript, " cw \"K\"").size(), 1u) << transcript;  // the counted over's courtesy
    EXPECT_EQ(linesWith(transcript, " cw \"I\"").size(), 2u) << transcript;  // the script's test and the page's
}

TEST(WebProgram, AVirtualMonthInTheDailyBuckets) {
    TempDir dir;
    using namespace tc::history;
    const std::int64_t today = std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::system_clock::now().time_since_epoch()).count() / kDayMs * kDayMs;
    std::ostringstream month;
    month << "callsign W1AW-R\n";
    for (int day = 0; day < 29; ++day)
        for (int over = 0; over <= day % 4; ++over) {
            const std::int64_t t = day * kDayMs + 8 * kHourMs + over * 60000;
            month << "at " << t << " carrier up\nat " << t + 3000 << " carrier down\n";
        }
    month << "at " << 29 * kDayMs - 1000 << " end\n";
    std::ofstream(dir.file("month.tcs")) << month.str();
    // A month of 100 ms ticks takes its time on a loaded machine: no guard
    // but the test's own time-out.
    const std::string run = kProgram + " --headless " + dir.file("month.tcs") + " --virtual-time --history" +
                              " --history-start " + isoUtc(today - 29 * kDayMs).substr(0, 10) + " --config-dir " +
                              dir.path() + " >/dev/null";
    ASSERT_EQ(std::system(run.c_str()), 0);

    std::ofstream(dir.file("idle.tcs")) << "callsign W1AW-R\nat 60000 end\n";
    const int port = freePort();
    std::ofstream(dir.file("tailchime.ini"), std::ios::app) << "[WEB]\nVIEW=open\n";
    Child program({kProgram, "--headless", dir.file("idle.tcs"), "--web", std::to_string(port), "--config-dir",
                   dir.path()});
    ASSERT_TRUE(program.waitOut("web \"serving"));
    WebClient page(port);
    auto days = page.get("/api/history?days=30");  // open to view: no login
    ASSERT_TRUE(days);
    ASSERT_EQ(days->status, 200) << days->body;
    std::vector<std::string> buckets;
    const std::string& body = days->body;
    for (std::size_t at = body.find('{'); at != std::string::npos; at = body.find('{', at + 1))
        buckets.push_back(body.substr(at, body.find('}', at) - at));
    ASSERT_EQ(buckets.size(), 30u) << body;
    for (int day = 0; day < 30; ++day) {
        SCOPED_TRACE(buckets[day]);
        const std::string overs = std::to_string(day < 29 ? day % 4 + 1 : 0);
        EXPECT_EQ(buckets[day].rfind("{\"start\":" + std::to_string(today - (29 - day) * kDayMs) + ",", 0), 0u);
        EXPECT_NE(buckets[day].find("\"overs\":" + overs + ",\"kerchunks\":0,\"courtesies\":" + overs + ","),
                  std::string::npos);
    }
    EXPECT_EQ(page.post("/api/control", "{\"action\":\"off\"}")->status, 401);  // the controls stay closed
    // A stop ends the program whatever its clients do: a stream followed,
    // requests never finished.
    std::vector<std::unique_ptr<RawSocket>> holding;
    for (int i = 0; i < 8; ++i)
        holding.push_back(std::make_unique<RawSocket>(port, i ? "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: "
                                                              : "GET /api/events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
    program.signal(SIGTERM);
    EXPECT_EQ(program.wait(), 0);
}
