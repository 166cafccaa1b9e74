#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "report/StatsServer.h"

namespace {

TEST(StatsServer, ReadsHostAndOptionalPort) {
    struct Case {
        std::string text, host;
        int port;
    };
    for (const Case& c : {Case{"127.0.0.1", "127.0.0.1", 0}, Case{"localhost:8080", "localhost", 8080},
                          Case{"stats.my-club_1.org:1", "stats.my-club_1.org", 1}, Case{"h:65535", "h", 65535},
                          Case{"h:00080", "h", 80}, Case{"[::1]", "::1", 0},
                          Case{"[fe80::1:2]:8000", "fe80::1:2", 8000}}) {
        tc::StatsServer server = tc::parseStatsServer(c.text);
        EXPECT_EQ(server.host, c.host) << c.text;
        EXPECT_EQ(server.port, c.port) << c.text;
    }
}

TEST(StatsServer, RefusesWhatCouldSendTheReportElsewhereWithAMessageNamingTheProblem) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "no host name"}, {":80", "no host name"}, {"host:", "no port after \":\""},
        {"host:0", "port \"0\" is not a whole number from 1 to 65535"}, {"host:65536", "port \"65536\""},
        {"host:123456", "port \"123456\""}, {"host:-1", "port \"-1\""}, {"host:8o", "port \"8o\""},
        {"host: 80", "port \" 80\""}, {"::1", "more than one \":\""}, {"user@host", "may hold only letters"},
        {"host/path", "may hold only"}, {"ho st", "may hold only"}, {"[::1", "no \"]\""},
        {"[]:80", "is not an IPv6 address"}, {"[::1]80", "\"80\" after the host"}, {"[a%b]", "is not an IPv6 address"}};
    for (const auto& [text, problem] : cases) {
        try {
            tc::parseStatsServer(text);
            ADD_FAILURE() << "accepted \"" << text << "\"";
        } catch (const std::invalid_argument& e) {
            std::string message = e.what();
            EXPECT_NE(message.find("\"" + text + "\""), std::string::npos) << message;
            EXPECT_NE(message.find(problem), std::string::npos) << message;
        }
    }
}

}  // namespace
