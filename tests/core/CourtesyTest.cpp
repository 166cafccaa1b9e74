// The courtesy idents after RF and Internet traffic, in CW and audio, as a
// station script drives them on virtual time.
#include <gtest/gtest.h>

#include "support/ScriptRun.h"
#include "support/Tones.h"

namespace {

class Courtesy : public ::testing::Test {
protected:
    ScriptRun run(const std::string& script, ScriptOptions o = {}) { return runScript(script, config.path(), o); }
    TempDir config;
};

TEST_F(Courtesy, ExampleScriptGivesTheIdentsAndTheChatReply) {
    auto r = run(
        "callsign W1AW-R\n"
        "at 1000 carrier up\n"
        "at 6050 carrier down\n"
        "at 7000 show Kerchunk\n"
        "at 9000 rx on\n"
        "at 9500 rx off\n"
        "at 9600 chat hello /ver/\n"
        "at 12000 end\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.has("0 caption \"Tailchime    W1AW-R   v2.0.1\"")) << r.out;
    EXPECT_TRUE(r.has("6500 cw \"K\"")) << r.out;
    EXPECT_TRUE(r.has("7000 show Kerchunk \"Kerchunker Set\" buttonface")) << r.out;
    EXPECT_TRUE(r.has("9500 cw \"I\"")) << r.out;
    EXPECT_TRUE(r.has("9600 chat \"Tailchime  v2.0.1\"")) << r.out;
    EXPECT_EQ(r.linesOf("cw").size(), 2u);
    EXPECT_TRUE(r.linesOf("exit").empty()) << "end stops the run without the program";
}

TEST_F(Courtesy, KerchunkEarnsNothingAndNeverLightsTheLamp) {
    auto r = run(
        "at 1000 carrier up\n"
        "at 2500 carrier down\n"
        "at 2600 show KickBackCheck\n"
        "at 8000 show OK2Kerchunk\n"
        "at 8000 end\n",
        traced());
    EXPECT_TRUE(r.linesOf("cw").empty()) << r.out;
    for (const auto& l : r.linesOf("indicator Kerchunk")) EXPECT_EQ(l.find("Clear to Send"), std::string::npos) << l;
    // The dropped carrier started the hang-time poll, which idles on.
    EXPECT_TRUE(r.has("2600 show KickBackCheck enabled interval=500")) << r.out;
    EXPECT_TRUE(r.has("8000 show OK2Kerchunk \"No\"")) << r.out;
}

TEST_F(Courtesy, CountedOverLightsClearToSendAndSendsWithinOneHangTime) {
    auto r = run(
        "at 1000 carrier up\n"
        "at 2999 show OK2Kerchunk\n"
        "at 3001 show OK2Kerchunk\n"
        "at 3001 show Kerchunk\n"
        "at 3101 show Picture26\n"
        "at 6000 carrier down\n"
        "at 7000 show OK2Kerchunk\n"
        "at 7000 show KickBackCheck\n"
        "at 7100 show Kerchunk\n"
        "at 7100 end\n");
    EXPECT_TRUE(r.has("2999 show OK2Kerchunk \"No\"")) << r.out;
    EXPECT_TRUE(r.has("3001 show OK2Kerchunk \"Yes\"")) << "the flag rises at the anti-kerchunker tick\n" << r.out;
    // The supervisor of the same millisecond shows it, the status clock's next tick lights the lamp.
    EXPECT_TRUE(r.has("3001 show Kerchunk \"Clear to Send\" #80ff80")) << r.out;
    EXPECT_TRUE(r.has("3101 show Picture26 shown")) << r.out;
    // Polls at 3500, 4000, ... find the carrier until it drops at 6000; the
    // poll due at 6000 runs after the statement of the same millisecond.
    EXPECT_TRUE(r.has("6000 cw \"K\"")) << r.out;
    EXPECT_TRUE(r.has("7000 show OK2Kerchunk \"No\"")) << r.out;
    EXPECT_TRUE(r.has("7000 show KickBackCheck stopped interval=500")) << r.out;
    EXPECT_TRUE(r.has("7100 show Kerchunk \"Kerchunker Set\" buttonface")) << r.out;
}

TEST_F(Courtesy, CarrierBackWithinTheWaitCountsAtTheSingleTick) {
    auto r = run(
        "at 1000 carrier up\n"
        "at 1500 carrier down\n"
        "at 1800 carrier up\n"  // enabling the running timer does not restart it
        "at 3001 show OK2Kerchunk\n"
        "at 4000 carrier down\n"
        "at 5000 end\n");
    EXPECT_TRUE(r.has("3001 show OK2Kerchunk \"Yes\"")) << r.out;
    // KickBackCheck has ticked every 500 ms since the carrier first dropped.
    EXPECT_TRUE(r.has("4000 cw \"K\"")) << r.out;
}

TEST_F(Courtesy, SwitchedOffStationCountsButSendsNothing) {
    auto r = run(
        "at 500 click Command15\n"
        "at 1000 carrier up\n"
        "at 3001 show OK2Kerchunk\n"
        "at 6000 carrier down\n"
        "at 6501 show OK2Kerchunk\n"
        "at 7000 rx on\n"
        "at 7500 rx off\n"
        "at 7600 show PTT1\n"
        "at 7700 click Command10\n"
        "at 7800 click Command7\n"
        "at 8000 end\n");
    EXPECT_TRUE(r.has("3001 show OK2Kerchunk \"Yes\"")) << r.out;
    EXPECT_TRUE(r.has("6501 show OK2Kerchunk \"No\"")) << r.out;
    EXPECT_TRUE(r.linesOf("cw").empty()) << r.out;
    EXPECT_TRUE(r.linesOf("play").empty()) << r.out;
    EXPECT_TRUE(r.has("7600 show PTT1 \"IP  TX  OFF\" buttonface")) << r.out;
    // Only the station's own keying for the Internet audio went on the air.
    EXPECT_EQ(r.linesOf("tx on"), std::vector<std::string>{"7000 tx on"});
}

TEST_F(Courtesy, InternetTrafficIdentsAtOnceWhenTheAudioEnds) {
    auto r = run(
        "at 1000 rx on\n"
        "at 1000 show PTT1\n"
        "at 1200 rx on\n"
        "at 1300 show Picture28\n"
        "at 2000 rx off\n"
        "at 2000 show PTT1\n"
        "at 2100 show Picture28\n"
        "at 2200 end\n");
    EXPECT_TRUE(r.has("1000 show PTT1 \"IP  TX  ON\" #ff0000")) << r.out;
    EXPECT_TRUE(r.has("1300 show Picture28 shown")) << r.out;
    EXPECT_EQ(r.linesOf("cw"), std::vector<std::string>{"2000 cw \"I\""}) << "repeated rx on sends nothing";
    EXPECT_TRUE(r.has("2000 show PTT1 \"IP  TX  OFF\" buttonface")) << r.out;
    EXPECT_TRUE(r.has("2100 show Picture28 hidden")) << r.out;
}

TEST_F(Courtesy, AudioIdentsPlayTheirToneAndTheSupervisorReleasesAtTheEnd) {
    TempDir tones;
    writeTone(tones.file("rf.wav"), 1.25);
    writeTone(tones.file("ip.wav"), 0.5);
    auto r = run("at 100 click Picture13\n"
                 "at 100 type RFTone " + tones.file("rf.wav") + "\n"
                 "at 100 type InetTone " + tones.file("ip.wav") + "\n"
                 "at 1000 carrier up\n"
                 "at 4000 carrier down\n"
                 "at 4600 show PTT\n"
                 "at 4600 show Label3\n"
                 "at 4600 show Ident\n"
                 "at 5800 show Label1\n"
                 "at 9000 rx on\n"
                 "at 9500 rx off\n"
                 "at 11000 end\n");
    // The RF tone: keyed at the poll, played from that millisecond.
    EXPECT_TRUE(r.has("4000 play \"" + tones.file("rf.wav") + "\" volume=-1540 rate=1")) << r.out;
    EXPECT_TRUE(r.has("4600 show PTT \"PTT ON\" #ff0000")) << r.out;
    EXPECT_TRUE(r.has("4600 show Label3 \"1.25\"")) << r.out;
    EXPECT_TRUE(r.has("4600 show Ident \"Sending Ident\" #ffc080")) << r.out;
    EXPECT_TRUE(r.has("5250 played \"" + tones.file("rf.wav") + "\"")) << r.out;
    EXPECT_TRUE(r.has("5800 show Label1 \"1.25\"")) << r.out;
    // Released by the first supervisor tick that sees the end.
    EXPECT_TRUE(r.has("5300 tx off")) << r.out;
    // The Internet tone at once when the Internet audio ends.
    EXPECT_TRUE(r.has("9500 play \"" + tones.file("ip.wav") + "\" volume=-1540 rate=1")) << r.out;
    EXPECT_TRUE(r.has("10000 played \"" + tones.file("ip.wav") + "\"")) << r.out;
    EXPECT_TRUE(r.linesOf("cw").empty());
}

TEST_F(Courtesy, NeitherOptionSelectedSendsTheAudioTone) {
    TempDir tones;
    writeTone(tones.file("ip.wav"), 0.3);
    std::ofstream(config.file("tailchime.ini")) << "[SETTINGS]\nOPTION1=False\nOPTION2=False\nINETTONE="
                                                << tones.file("ip.wav") << "\n";
    auto r = run("at 500 rx on\nat 600 rx off\nat 700 show Option1\nat 700 show Option2\nat 1500 end\n");
    EXPECT_TRUE(r.has("700 show Option1 false")) << r.out;
    EXPECT_TRUE(r.has("700 show Option2 false")) << r.out;
    EXPECT_TRUE(r.has("600 play \"" + tones.file("ip.wav") + "\" volume=-1540 rate=1")) << r.out;
}

TEST_F(Courtesy, VolumeAndSpeedOfThePanelReachTheTransmission) {
    TempDir tones;
    writeTone(tones.file("ip.wav"), 2.0);
    auto r = run("at 100 click Picture13\n"
                 "at 100 type InetTone " + tones.file("ip.wav") + "\n"
                 "at 100 slide V1 -3000\n"
                 "at 100 slide V2 200\n"
                 "at 200 show VolSet\n"
                 "at 200 show SpeedSet\n"
                 "at 1000 rx on\n"
                 "at 1100 rx off\n"
                 "at 4000 end\n");
    EXPECT_TRUE(r.has("200 show VolSet \"-3000\"")) << r.out;
    EXPECT_TRUE(r.has("200 show SpeedSet \"200\"")) << r.out;
    EXPECT_TRUE(r.has("1100 play \"" + tones.file("ip.wav") + "\" volume=-3000 rate=2")) << r.out;
    EXPECT_TRUE(r.has("2100 played \"" + tones.file("ip.wav") + "\"")) << "two seconds at double speed\n" << r.out;
}

}  // namespace
