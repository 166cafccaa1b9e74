// The radio's choices: the settings file's [RIG] section, the command line
// over it, and when a radio is the host at all.
#include <gtest/gtest.h>

#include <fstream>

#include "app/posix/IniProfile.h"
#include "hostlink/hamlib/RigConfig.h"
#include "support/TempDir.h"

namespace {

TEST(RigConfig, TheCommandLineWinsOverTheSettingsFile) {
    TempDir dir;
    std::ofstream(dir.file("tailchime.ini")) << "[SETTINGS]\nHANGTIME=700\n[rig]\nmodel=1035\nFILE=/dev/ttyUSB0\n"
                                             << "SERIALSPEED=38400\nCALLSIGN=W1AW-R\nTXTIMEOUT=180\n";
    tc::IniProfile profile(dir.file("tailchime.ini"));
    tc::Options options;
    options.rig.file = "127.0.0.1:4532";
    options.rig.model = "2";
    std::string problem;
    auto c = tc::readRigConfig(options, profile, problem);
    ASSERT_TRUE(c) << problem;
    EXPECT_EQ(c->model, 2);
    EXPECT_EQ(c->file, "127.0.0.1:4532");
    EXPECT_EQ(c->serialSpeed, 38400);
    EXPECT_EQ(c->callsign, "W1AW-R");
    EXPECT_EQ(c->txTimeoutS, 180);
    EXPECT_EQ(c->cwWpm, 20);
    EXPECT_EQ(c->pttType, "");  // the model's own
}

TEST(RigConfig, ARadioIsTheHostByNameOrByTheSettingsFileUnlessAScriptRuns) {
    TempDir dir;
    tc::IniProfile none(dir.file("none.ini"));
    std::ofstream(dir.file("rig.ini")) << "[RIG]\nMODEL=2\n";
    tc::IniProfile rig(dir.file("rig.ini"));
    tc::Options plain, named, other, script;
    named.host = "rig";
    other.host = "echolink";
    script.headlessScript = "x.tcs";
    EXPECT_FALSE(tc::radioChosen(plain, none));
    EXPECT_TRUE(tc::radioChosen(named, none));
    EXPECT_TRUE(tc::radioChosen(plain, rig));
    EXPECT_FALSE(tc::radioChosen(other, rig));
    EXPECT_FALSE(tc::radioChosen(script, rig));  // scripts run on the simulated station unless told
}

TEST(RigConfig, CwSpeedsOutsideAKeyersRangeAreRefused) {
    TempDir dir;
    tc::IniProfile profile(dir.file("tailchime.ini"));
    tc::Options options;
    options.rig.model = "2";
    std::string problem;
    options.rig.cwSpeed = "4";
    EXPECT_FALSE(tc::readRigConfig(options, profile, problem));
    EXPECT_EQ(problem, "--cw-speed: '4' is not a whole number of 5 or more");
    options.rig.cwSpeed = "61";
    EXPECT_FALSE(tc::readRigConfig(options, profile, problem));
    EXPECT_EQ(problem, "the CW speed is at most 60 words per minute");
}

}  // namespace
