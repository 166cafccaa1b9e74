#include <gtest/gtest.h>

#include "app/win32/HostOption.h"

TEST(HostOption, OnlyTheKnownHostsWithNothingThatBelongsElsewhere) {
    std::string problem;
    auto fits = [&](const std::vector<std::string>& args) {
        problem.clear();
        auto options = tc::parseOptions(args, problem);
        return options && tc::win32::hostOptionsFit(*options, problem);
    };
    EXPECT_TRUE(fits({"--config-dir", "C:\\st", "--host", "echolink", "--stats-server", "h"})) << problem;
    EXPECT_FALSE(fits({"--host", "irlp"}));
    EXPECT_NE(problem.find("unknown host 'irlp' (the host is echolink or simulated)"), std::string::npos);
    EXPECT_FALSE(fits({"--host"}));
    EXPECT_EQ(problem, "--host needs a value");
    EXPECT_FALSE(fits({"--host", "echolink", "--headless", "x.tcs"}));
    EXPECT_FALSE(fits({"--host", "echolink", "--virtual-time"}));
    EXPECT_FALSE(fits({"--host", "echolink", "--callsign", "W1AW-R"}));
    EXPECT_TRUE(fits({"--host", "simulated", "--callsign", "W1AW-L"})) << "the simulated station's call sign" << problem;
    EXPECT_FALSE(fits({"--host", "simulated", "--trace"}));
    EXPECT_FALSE(fits({"--screenshot", "docs"}));
}
