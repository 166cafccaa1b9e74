// The courtesy idents after RF and Internet traffic, in CW and audio, as a
// station script drives them on virtual time.
#include <gtest/gtest.h>

#include "support/ScriptRun.h"
#include "support/Tones.h"

namespace {

using Courtesy = StationScript;

TEST_F(Courtesy, KerchunkEarnsNothingAndNeverLightsTheLamp) {
    auto r = run(
        "at 1000 carrier up\n"
        "at 2500 carrier down\n"
        // The dropped carrier started the hang-time poll, which idles on.
        "at 2600 show KickBackCheck -> enabled interval=500\n"
        "at 8000 show OK2Kerchunk -> \"No\"\n"
        "at 8000 end\n",
        {.trace = true});
    EXPECT_TRUE(r.linesOf("cw").empty()) << r.out;
    for (const auto& l : r.linesOf("indicator Kerchunk")) EXPECT_EQ(l.find("Clear to Send"), std::string::npos) << l;
}

TEST_F(Courtesy, CountedOverLightsClearToSendAndSendsWithinOneHangTime) {
    // The flag rises at the anti-kerchunker tick and the supervisor of the same
    // millisecond shows it; the status clock's next tick lights the lamp.
    // Polls at 3500, 4000, ... find the carrier until it drops at 6000; the
    // poll due at 6000 runs after the statement of the same millisecond.
    auto r = run(
        "at 1000 carrier up\n"
        "at 2999 show OK2Kerchunk -> \"No\"\n"
        "at 3001 show OK2Kerchunk -> \"Yes\"\n"
        "at 3001 show Kerchunk -> \"Clear to Send\" #80ff80\n"
        "at 3101 show Picture26 -> shown\n"
        "at 6000 carrier down\n"
        "at 7000 show OK2Kerchunk -> \"No\"\n"
        "at 7000 show KickBackCheck -> stopped interval=500\n"
        "at 7100 show Kerchunk -> \"Kerchunker Set\" buttonface\n"
        "at 7100 end\n");
    EXPECT_TRUE(r.has("6000 cw \"K\"")) << r.out;
}

TEST_F(Courtesy, CarrierBackWithinTheWaitCountsAtTheSingleTick) {
    auto r = run(
        "at 1000 carrier up\n"
        "at 1500 carrier down\n"
        "at 1800 carrier up\n"  // enabling the running timer does not restart it
        "at 3001 show OK2Kerchunk -> \"Yes\"\n"
        "at 4000 carrier down\n"
        "at 5000 end\n");
    // KickBackCheck has ticked every 500 ms since the carrier first dropped.
    EXPECT_TRUE(r.has("4000 cw \"K\"")) << r.out;
}

TEST_F(Courtesy, SwitchedOffStationCountsButSendsNothing) {
    auto r = run(
        "at 500 click Command15\n"
        "at 1000 carrier up\n"
        "at 3001 show OK2Kerchunk -> \"Yes\"\n"
        "at 6000 carrier down\n"
        "at 6501 show OK2Kerchunk -> \"No\"\n"
        "at 7000 rx on\n"
        "at 7500 rx off\n"
        "at 7600 show PTT1 -> \"IP  TX  OFF\" buttonface\n"
        "at 7700 click Command10\n"
        "at 7800 click Command7\n"
        "at 8000 end\n");
    EXPECT_TRUE(r.linesOf("cw").empty() && r.linesOf("play").empty()) << r.out;
    // Only the station's own keying for the Internet audio went on the air.
    EXPECT_EQ(r.linesOf("tx on"), std::vector<std::string>{"7000 tx on"});
}

TEST_F(Courtesy, InternetTrafficIdentsAtOnceWhenTheAudioEnds) {
    auto r = run(
        "at 1000 rx on\n"
        "at 1000 show PTT1 -> \"IP  TX  ON\" #ff0000\n"
        "at 1200 rx on\n"
        "at 1300 show Picture28 -> shown\n"
        "at 2000 rx off\n"
        "at 2000 show PTT1 -> \"IP  TX  OFF\" buttonface\n"
        "at 2100 show Picture28 -> hidden\n"
        "at 2200 end\n");
    EXPECT_EQ(r.linesOf("cw"), std::vector<std::string>{"2000 cw \"I\""}) << "repeated rx on sends nothing";
}

TEST_F(Courtesy, AudioIdentsPlayTheirToneAndTheSupervisorReleasesAtTheEnd) {
    writeTone(tones.file("rf.wav"), 1.25);
    writeTone(tones.file("ip.wav"), 0.5);
    auto r = run("at 100 click Picture13\n"
                 "at 100 type RFTone " + tones.file("rf.wav") + "\n"
                 "at 100 type InetTone " + tones.file("ip.wav") + "\n"
                 "at 1000 carrier up\n"
                 "at 4000 carrier down\n"
                 "at 4600 show PTT -> \"PTT ON\" #ff0000\n"
                 "at 4600 show Label3 -> \"1.25\"\n"
                 "at 4600 show Ident -> \"Sending Ident\" #ffc080\n"
                 "at 5800 show Label1 -> \"1.25\"\n"
                 "at 6000 slide V1 -3000\n"
                 "at 6000 slide V2 200\n"
                 "at 9000 rx on\n"
                 "at 9500 rx off\n"
                 "at 11000 end\n");
    const std::string rf = "\"" + tones.file("rf.wav") + "\"", ip = "\"" + tones.file("ip.wav") + "\"";
    EXPECT_LINES(r, {// The RF tone: keyed at the poll, played from that millisecond.
                     "4000 play " + rf + " volume=-1540 rate=1", "5250 played " + rf,
                     // Released by the first supervisor tick that sees the end.
                     "5300 tx off",
                     // The Internet tone at once when the Internet audio ends, at the
                     // panel's volume and double speed: half a second in a quarter.
                     "9500 play " + ip + " volume=-3000 rate=2", "9750 played " + ip});
    EXPECT_TRUE(r.linesOf("cw").empty());
}

TEST_F(Courtesy, NeitherOptionSelectedSendsTheAudioTone) {
    writeTone(tones.file("ip.wav"), 0.3);
    std::ofstream(config.file("tailchime.ini")) << "[SETTINGS]\nOPTION1=False\nOPTION2=False\nINETTONE="
                                                << tones.file("ip.wav") << "\n";
    auto r = run("at 500 rx on\nat 600 rx off\nat 700 show Option1 -> false\nat 700 show Option2 -> false\n"
                 "at 1500 end\n");
    EXPECT_TRUE(r.has("600 play \"" + tones.file("ip.wav") + "\" volume=-1540 rate=1")) << r.out;
}

}  // namespace
