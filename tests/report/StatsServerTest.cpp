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
    for (const Case& c : {Case{"127.0.0.1", "127.0.0.1", 80}, Case{"localhost:8080", "localhost", 8080},
                          Case{"stats.my-club_1.org:1", "stats.my-club_1.org", 1},
                          Case{"h:65535", "h", 65535}, Case{"h:00080", "h", 80}, Case{"[::1]", "::1", 80},
                          Case{"[fe80::1:2]:8000", "fe80::1:2", 8000}}) {
        tc::StatsServer server = tc::parseStatsServer(c.text);
        EXPECT_EQ(server.host, c.host) << c.text;
        EXPECT_EQ(server.port, c.port) << c.text;
    }
}

TEST(StatsServer, RefusesWhatCouldSendTheReportElsewhereWithAMessageNamingTheProblem) {
    struct Case {
        std::string text, problem;
    };
    for (const Case& c : {Case{"", "no host name"}, Case{":80", "no host name"},
                          Case{"host:", "no port after \":\""},
                          Case{"host:0", "port \"0\" is not a whole number from 1 to 65535"},
                          Case{"host:65536", "port \"65536\""}, Case{"host:123456", "port \"123456\""},
                          Case{"host:-1", "port \"-1\""}, Case{"host:8o", "port \"8o\""},
                          Case{"host: 80", "port \" 80\""}, Case{"::1", "more than one \":\""},
                          Case{"user@host", "may hold only letters"}, Case{"host/path", "may hold only"},
                          Case{"ho st", "may hold only"}, Case{"[::1", "no \"]\""},
                          Case{"[]:80", "is not an IPv6 address"}, Case{"[::1]80", "\"80\" after the host"},
                          Case{"[a%b]", "is not an IPv6 address"}}) {
        try {
            tc::parseStatsServer(c.text);
            ADD_FAILURE() << "accepted \"" << c.text << "\"";
        } catch (const std::invalid_argument& e) {
            std::string message = e.what();
            EXPECT_NE(message.find("\"" + c.text + "\""), std::string::npos) << message;
            EXPECT_NE(message.find(c.problem), std::string::npos) << message;
        }
    }
}

}  // namespace
