#include <gtest/gtest.h>

#include "app/win32/HostOption.h"

using tc::win32::hostOptionsFit;
using tc::win32::takeHostOption;

TEST(HostOption, TakenOutOfTheArgumentsWhereverItStands) {
    std::vector<std::string> args{"--config-dir", "C:\\st", "--host", "echolink", "--stats-server", "h"};
    std::string problem;
    EXPECT_EQ(takeHostOption(args, problem), "echolink");
    EXPECT_EQ(problem, "");
    EXPECT_EQ(args, (std::vector<std::string>{"--config-dir", "C:\\st", "--stats-server", "h"}));

    std::vector<std::string> none{"--headless", "x.tcs"};
    EXPECT_FALSE(takeHostOption(none, problem));
    EXPECT_EQ(none.size(), 2u);
    EXPECT_EQ(problem, "");
}

TEST(HostOption, OnlyTheKnownHostWithNothingThatBelongsElsewhere) {
    std::string problem;
    std::vector<std::string> other{"--host", "irlp"};
    EXPECT_FALSE(takeHostOption(other, problem));
    EXPECT_NE(problem.find("unknown host 'irlp'"), std::string::npos);

    problem.clear();
    std::vector<std::string> bare{"--host"};
    EXPECT_FALSE(takeHostOption(bare, problem));
    EXPECT_EQ(problem, "--host needs a value");

    tc::Options withScript;
    withScript.headlessScript = "x.tcs";
    problem.clear();
    EXPECT_FALSE(hostOptionsFit(withScript, problem));
    tc::Options virtualTime;
    virtualTime.virtualTime = true;
    problem.clear();
    EXPECT_FALSE(hostOptionsFit(virtualTime, problem));
    tc::Options station;
    station.configDir = "C:\\st";
    problem.clear();
    EXPECT_TRUE(hostOptionsFit(station, problem));
}
