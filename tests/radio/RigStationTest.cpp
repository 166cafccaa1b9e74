// The radio host on the real Hamlib network client against a stand-in
// rigctld: carrier events, keying, Morse, and the radio's faults.
#include <gtest/gtest.h>

#include <algorithm>

#include "hostlink/hamlib/RigDevice.h"
#include "radio/RadioBench.h"

namespace {

TEST(RigStation, CarrierChangesArriveAsEventsInOrder) {
    RadioBench b;
    ASSERT_TRUE(b.runUntilRigHas("open"));
    EXPECT_FALSE(b.station->GetCarrierDetect());
    b.rig.carrier = true;
    ASSERT_TRUE(b.runUntilHeard("event carrier up"));
    EXPECT_TRUE(b.station->GetCarrierDetect());
    b.rig.carrier = false;
    ASSERT_TRUE(b.runUntilHeard("event carrier down"));
    EXPECT_FALSE(b.station->GetCarrierDetect());
}

TEST(RigStation, ARadioThatCannotSenseACarrierSaysSoOnceAndTheCarrierCountsAsAbsent) {
    RadioBench b;
    b.rig.carrier = true;
    b.rig.sense = false;
    const std::string cannot = "notice the radio cannot report a carrier: it counts as absent (choose a --dcd-type)";
    ASSERT_TRUE(b.runUntilHeard(cannot));
    int reads = b.rig.carrierReads;
    ASSERT_TRUE(b.runUntil([&] { return b.rig.carrierReads > reads + 3; }));  // it goes on asking
    EXPECT_EQ(std::ranges::count(b.heard.events, cannot), 1);
    EXPECT_FALSE(b.heard.has("event carrier"));
    EXPECT_FALSE(b.heard.has("notice radio lost"));  // a missing sense is no lost radio
    EXPECT_FALSE(b.station->GetCarrierDetect());
}

TEST(RigStation, TheRigHearsOnlyChangesOfKeying) {
    RadioBench b;
    ASSERT_TRUE(b.runUntilRigHas("ptt 0"));  // an opened radio is told first that it is released
    // The supervisor's habit: the same keying every 100 ms.
    auto keyTenTimes = [&](bool on) {
        for (int i = 0; i < 10; ++i, b.loop.runUntil(b.loop.nowMs() + 100)) b.station->SetPTT(on);
    };
    keyTenTimes(true);
    ASSERT_TRUE(b.runUntilRigHas("ptt 1"));
    EXPECT_TRUE(b.station->GetPTT());
    keyTenTimes(false);
    int keyed = RigStandIn::find(b.rig.record(), "ptt 1");
    ASSERT_TRUE(b.runUntilRigHas("ptt 0", keyed));
    EXPECT_FALSE(b.station->GetPTT());
    // Opening told it "released" once; then one key-up and one release.
    auto r = b.rig.record();
    EXPECT_EQ(std::ranges::count(r, "ptt 1"), 1);
    EXPECT_EQ(std::ranges::count(r, "ptt 0"), 2);
    EXPECT_LT(RigStandIn::find(r, "ptt 0"), keyed);
    EXPECT_EQ(b.heard.only({"tx "}), (std::vector<std::string>{"tx on", "tx off"}));
    EXPECT_TRUE(b.heard.has("notice radio open: model 2 (Hamlib NET rigctl) on " + b.rig.address()));
}

TEST(RigStation, MorseGoesToTheRadiosKeyerAtTheOperatorsSpeed) {
    RadioBench b;
    ASSERT_TRUE(b.runUntilRigHas("open"));
    b.station->SendCW(0, "K");
    ASSERT_TRUE(b.runUntilRigHas("morse K"));
    auto r = b.rig.record();
    EXPECT_EQ(std::ranges::count(r, "keyspd 20"), 1);
    EXPECT_EQ(std::ranges::count(r, "ptt 1"), 0);  // the radio's keyer keys the transmitter
    EXPECT_TRUE(b.voicedSoFar().empty());
}

TEST(RigStation, WithoutAKeyerTheStationKeysAndSoundsItsOwnMorse) {
    RadioBench b;
    b.rig.keyer = false;
    ASSERT_TRUE(b.runUntilRigHas("open"));
    b.station->SendCW(0, "K");
    b.station->SendCW(0, "I");
    ASSERT_TRUE(b.runUntil([&] { return std::ranges::count(b.heard.events, "tx off") == 2; }));
    EXPECT_EQ(b.voicedSoFar(), (std::vector<std::string>{"K at 20", "I at 20"}));
    auto r = b.rig.record();
    int keyed = RigStandIn::find(r, "ptt 1");
    ASSERT_GE(keyed, 0);
    ASSERT_GE(RigStandIn::find(r, "ptt 0", keyed), 0);
    // The logic heard one keyed stretch per letter, in order.
    EXPECT_EQ(b.heard.only({"tx ", "cw "}),
              (std::vector<std::string>{"cw K", "cw I", "tx on", "tx off", "tx on", "tx off"}));
}

TEST(RigStation, ARadioMissingAtStartIsReportedAndOpenedWhenItComes) {
    RadioBench b(0, false);
    const std::string cannot = "notice cannot open the radio, model 2 (Hamlib NET rigctl) on " + b.rig.address() +
                               ": the line to the radio failed; trying again in ";
    // Each try is told, with a pause that grows.
    ASSERT_TRUE(b.runUntilHeard(cannot + "2 s"));
    EXPECT_EQ(b.heard.only({"notice cannot"}), (std::vector<std::string>{cannot + "1 s", cannot + "2 s"}));
    EXPECT_FALSE(b.station->GetCarrierDetect());
    b.station->SendCW(0, "K");
    ASSERT_TRUE(b.runUntilHeard("notice CW \"K\" not sent: no radio"));
    b.rig.carrier = true;
    b.rig.startListening();
    ASSERT_TRUE(b.runUntilHeard("event carrier up"));
    EXPECT_TRUE(b.heard.has("notice radio open"));
    EXPECT_EQ(RigStandIn::find(b.rig.record(), "morse K"), -1);  // not sent late
}

TEST(RigStation, ALineDroppedInATransmissionReleasesTheTransmitterOnReopening) {
    RadioBench b;
    b.rig.carrier = true;
    ASSERT_TRUE(b.runUntilHeard("event carrier up"));
    b.station->SetPTT(true);
    ASSERT_TRUE(b.runUntilRigHas("ptt 1"));
    b.rig.dropLine();
    ASSERT_TRUE(b.runUntilHeard("event carrier down"));  // the carrier counts as absent
    EXPECT_TRUE(b.heard.has("notice radio lost: "));
    b.station->SetPTT(false);  // the logic released while the radio was away
    b.rig.carrier = false;
    auto reopened = [&](const std::vector<std::string>& r) {
        int second = RigStandIn::find(r, "open", RigStandIn::find(r, "open"));
        return second >= 0 && RigStandIn::find(r, "ptt 0", second) >= 0;
    };
    ASSERT_TRUE(b.runUntilRig(reopened));
    EXPECT_EQ(b.rig.record().back(), "ptt 0");
}

TEST(RigStation, ARadioThatStopsAnsweringCountsAsGoneUntilItAnswersAgain) {
    RadioBench b;
    b.rig.carrier = true;
    ASSERT_TRUE(b.runUntilHeard("event carrier up"));
    b.rig.mute = true;
    ASSERT_TRUE(b.runUntilHeard("event carrier down"));
    EXPECT_TRUE(b.heard.has("notice radio lost: reading the carrier failed: the radio did not answer in time"));
    b.rig.mute = false;
    b.heard.events.clear();
    ASSERT_TRUE(b.runUntilHeard("event carrier up"));
    EXPECT_TRUE(b.heard.has("notice radio open"));
}

TEST(RigStation, TheTimeOutAndTheStationsEndReleaseALongTransmission) {
    RadioBench b(1);
    ASSERT_TRUE(b.runUntilRigHas("open"));
    b.station->SetPTT(true);
    ASSERT_TRUE(b.runUntilRigHas("ptt 1"));
    int keyed = RigStandIn::find(b.rig.record(), "ptt 1");
    // The logic keeps keying, tick after tick; the time-out releases all the same.
    ASSERT_TRUE(b.runUntil([&] {
        b.station->SetPTT(true);
        return RigStandIn::find(b.rig.record(), "ptt 0", keyed) >= 0 && b.heard.has("notice transmitter time-out");
    }));
    EXPECT_FALSE(b.station->GetPTT());
    EXPECT_TRUE(b.heard.has("notice transmitter time-out: released after 1 s keyed"));
    // A new transmission after the logic's own release keys again.
    b.station->SetPTT(false);
    b.station->SetPTT(true);
    ASSERT_TRUE(b.runUntilRig([&](const auto& r) { return std::ranges::count(r, "ptt 1") == 2; }));
    b.station.reset();  // the station goes while keyed: released on the way out
    EXPECT_EQ(b.rig.record().back(), "ptt 0");
}

TEST(RigStation, HamlibRefusesAChoiceItDoesNotKnow) {
    tc::StationLoop loop;
    tc::RigConfig c;
    c.model = 2;
    c.pttType = "SMOKE";
    try {
        tc::RigStation station(loop, c, {});
        FAIL() << "a PTT type Hamlib does not know was taken";
    } catch (const tc::RigError& e) {
        EXPECT_NE(std::string(e.what()).find("--ptt-type (one of RIG, DTR, RTS, Parallel"), std::string::npos);
    }
    c.pttType = "rts";  // the operator's spelling need not be Hamlib's
    EXPECT_NO_THROW(tc::RigStation(loop, c, {}));
}

}  // namespace
