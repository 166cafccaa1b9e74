#include <gtest/gtest.h>

#include "program/win32/WindowOptions.h"

TEST(WindowOptions, NothingThatBelongsToScriptsOrTheLinuxWindows) {
    std::string problem;
    auto fits = [&](const std::vector<std::string>& args) {
        problem.clear();
        auto options = tc::parseOptions(args, problem);
        return options && tc::win32::windowOptionsFit(*options, problem);
    };
    EXPECT_TRUE(fits({"--config-dir", "C:\\st", "--host", "echolink", "--stats-server", "h"})) << problem;
    EXPECT_FALSE(fits({"--host", "echolink", "--virtual-time"}));
    EXPECT_FALSE(fits({"--trace"}));
    EXPECT_FALSE(fits({"--screenshot", "docs"}));
    EXPECT_EQ(problem, "--screenshot is not offered by the Windows program; scripts/screenshots.sh takes its pictures");
}
