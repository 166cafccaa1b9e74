// The usage report is on the wire before any handler can end the program,
// however early the station is closed.
#include <gtest/gtest.h>

#include <memory>

#include "report/LoopbackServer.h"
#include "report/UsageReport.h"
#include "report/curl/CurlPost.h"
#include "support/ScriptRun.h"

namespace {

TEST(ReportAtClose, IsSentEvenWhenTheStationClosesAtOnce) {
    for (const std::string statement : {"closing", "close", "click Command9"}) {
        LoopbackServer server([](auto& send) { send(okAnswer("thanks")); });
        ScriptOptions o;
        o.report = [&](tc::EventLoop& loop) {
            auto client = std::make_shared<tc::CurlPost>(loop);
            auto report = std::make_shared<tc::UsageReport>(*client, tc::StatsServer{"127.0.0.1", server.port()});
            return tc::ReportSender(
                [client, report](const std::string& c, const std::string& p, const std::string& v) {
                    return report->SaveUserData(c, p, v);
                });
        };
        TempDir config;
        auto r = runScript("callsign W1AW-R\nat 0 " + statement + "\n", config.path(), o);
        EXPECT_NE(server.request().find("Callsign=W1AW-R&Program=Tailchime&Ver=2.0.1"), std::string::npos)
            << statement << "\n" << r.out;
        EXPECT_TRUE(r.has("0 exit")) << statement << "\n" << r.out;
    }
}

}  // namespace
