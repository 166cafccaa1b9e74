// Which host a station runs on: --host by name, a radio of the settings
// file's [RIG] section, and the radio's choices with the command line over
// the settings file.
#include <gtest/gtest.h>

#include <fstream>

#include "program/Hosts.h"
#include "program/RadioSettings.h"
#include "app/posix/IniProfile.h"
#include "support/TempDir.h"

namespace {

std::optional<tc::RadioSettings> read(const tc::Options& options, const std::string& ini, std::string& problem) {
    TempDir dir;
    std::ofstream(dir.file("tailchime.ini")) << ini;
    tc::IniProfile profile(dir.file("tailchime.ini"));
    return tc::readRadioSettings(options, profile, problem);
}

TEST(HostChoice, TheCommandLineWinsOverTheSettingsFile) {
    tc::Options options;
    options.rig.file = "127.0.0.1:4532";
    options.rig.model = "2";
    std::string problem;
    auto s = read(options,
                  "[SETTINGS]\nHANGTIME=700\n[rig]\nmodel=1035\nFILE=/dev/ttyUSB0\nSERIALSPEED=38400\n"
                  "CALLSIGN=W1AW-R\nTXTIMEOUT=180\nAUDIODEVICE=USB Audio\n",
                  problem);
    ASSERT_TRUE(s) << problem;
    EXPECT_TRUE(s->chosen);
    EXPECT_EQ(s->audioDevice, "USB Audio");
    EXPECT_EQ(s->rig.model, 2);
    EXPECT_EQ(s->rig.file, "127.0.0.1:4532");
    EXPECT_EQ(s->rig.serialSpeed, 38400);
    EXPECT_EQ(s->rig.callsign, "W1AW-R");
    EXPECT_EQ(s->rig.txTimeoutS, 180);
    EXPECT_EQ(s->rig.cwWpm, 20);
    EXPECT_EQ(s->rig.pttType, "");  // the model's own
}

TEST(HostChoice, ARadioIsTheHostByNameOrByTheSettingsFileUnlessAScriptRuns) {
    tc::Options plain, named, other, script;
    named.host = "rig";
    other.host = "simulated";
    script.headlessScript = "x.tcs";
    std::string problem;
    EXPECT_FALSE(read(plain, "", problem)->chosen);
    EXPECT_TRUE(read(named, "[RIG]\nMODEL=2\n", problem)->chosen);
    EXPECT_TRUE(read(plain, "[RIG]\nMODEL=2\n", problem)->chosen);
    EXPECT_FALSE(read(other, "[RIG]\nMODEL=2\n", problem)->chosen);
    EXPECT_FALSE(read(script, "[RIG]\nMODEL=2\n", problem)->chosen);  // scripts run on the simulated station unless told
    named.host.reset();
    named.audioDevice = "Loopback";
    EXPECT_EQ(read(named, "", problem)->audioDevice, "Loopback");  // the simulated station's CW too
}

TEST(HostChoice, RadioValuesOutsideTheirRangeAreRefused) {
    tc::Options options;
    options.host = "rig";
    options.rig.model = "2";
    std::string problem;
    options.rig.cwSpeed = "4";
    EXPECT_FALSE(read(options, "", problem));
    EXPECT_EQ(problem, "--cw-speed: '4' is not a whole number of 5 or more");
    options.rig.cwSpeed = "61";
    EXPECT_FALSE(read(options, "", problem));
    EXPECT_EQ(problem, "the CW speed is at most 60 words per minute");
    EXPECT_FALSE(read({}, "[RIG]\nMODEL=2\nSERIALSPEED=fast\n", problem));
    EXPECT_EQ(problem, "[RIG] SERIALSPEED: 'fast' is not a whole number of 1 or more");
}

TEST(HostChoice, TheHostIsOneTheBuildHasAndFitsTheOtherOptions) {
    tc::HostTable hosts = tc::withSimulatedHost({{"echolink", {}}});
    auto choose = [&](const std::vector<std::string>& args, std::string& problem) {
        problem.clear();
        auto options = tc::parseOptions(args, problem);
        return options ? tc::chooseHost(*options, hosts, tc::kSimulatedHost, problem) : std::nullopt;
    };
    std::string problem;
    EXPECT_EQ(choose({}, problem), "simulated");
    EXPECT_EQ(choose({"--host", "echolink", "--stats-server", "h"}, problem), "echolink");
    EXPECT_EQ(choose({"--host", "simulated", "--callsign", "W1AW-L"}, problem), "simulated");
    EXPECT_FALSE(choose({"--host", "irlp"}, problem));
    EXPECT_EQ(problem, "unknown host 'irlp' (the hosts here: echolink and simulated)");
    EXPECT_FALSE(choose({"--host", "echolink", "--headless", "x.tcs"}, problem));
    EXPECT_FALSE(choose({"--host", "echolink", "--callsign", "W1AW-R"}, problem));
    EXPECT_EQ(choose({"--headless", "x.tcs"}, problem), "simulated");
}

}  // namespace
