// The program with a radio as its host: against Hamlib's own rigctld with
// its dummy rig, and against the stand-in, where the test plays the radio.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "radio/RigStandIn.h"
#include "support/Child.h"
#include "support/ProgramRun.h"

namespace {

const std::vector<std::string> kQuietSound = {"SDL_AUDIODRIVER=dummy"};

// The transcript's lines without their times, less the usage report and the
// indicators, and less the tones' ends: a tone's end and the release that
// follows it may share a moment, and on the real clock either is written first.
std::vector<std::string> comparable(const std::string& transcript) {
    std::vector<std::string> lines;
    std::istringstream in(transcript);
    for (std::string l; std::getline(in, l);) {
        auto space = l.find(' ');
        std::string rest = space == std::string::npos ? l : l.substr(space + 1);
        auto starts = [&](const char* word) { return rest.rfind(word, 0) == 0; };
        if (!starts("report ") && !starts("indicator ") && !starts("played ")) lines.push_back(rest);
    }
    return lines;
}

TEST(ProgramWithRadio, HamlibsDummyRigReceivesTheIdentAndTheToneTestsKeying) {
    ProgramRun p;
    int port = freePort();
    std::string log = p.config.file("rigctld.log");
    Child rigctld(
        {"sh", "-c", "exec rigctld -m 1 -P RIG -T 127.0.0.1 -t " + std::to_string(port) + " -vvvvv 2>" + log});
    ASSERT_TRUE(acceptsConnections(port));
    Child run(p.args({"--headless", p.script("at 300 click Command10\nat 1500 click Command7\n"), "--host", "rig",
                      "--rig-model", "2", "--rig-file", "127.0.0.1:" + std::to_string(port)}),
              kQuietSound);
    ASSERT_EQ(run.wait(), 0) << run.err();
    rigctld.signal(SIGTERM);
    rigctld.wait();
    std::string said = readFile(log);
    EXPECT_NE(said.find("dummy_send_morse entered"), std::string::npos);
    auto keyed = said.find("rigctl_set_ptt: ptt=1");
    ASSERT_NE(keyed, std::string::npos) << "no key-up reached the rig";
    EXPECT_NE(said.find("rigctl_set_ptt: ptt=0", keyed), std::string::npos) << "no release after the key-up";
    EXPECT_NE(run.out().find(" cw \"K\""), std::string::npos);
    EXPECT_NE(run.out().find(" play \""), std::string::npos);
}

TEST(ProgramWithRadio, AScriptCannotRaiseTheHostsEventsNorSetTheCallSignWhenARadioIsTheHost) {
    const std::string events = ":2: the radio raises the host's events in a run with a radio; "
                               "a script cannot raise them\n",
                      call = ":2: a radio's call sign is the operator's setting (--callsign, or CALLSIGN in [RIG]); "
                             "a script cannot set it\n";
    for (const auto& [script, problem] : std::vector<std::pair<std::string, std::string>>{
             {"at 50 click Command10\nat 100 carrier up\n", events}, {"at 50 click Command10\nat 100 rx on\n", events},
             {"at 50 click Command10\nat 100 chat /ver/\n", events}, {"at 50 click Command10\nat 100 closing\n", events},
             {"# the station\ncallsign W1AW-R\nat 50 click Command10\n", call}}) {
        ProgramRun p;
        std::string path = p.script(script);
        Child run(p.args({"--headless", path, "--host", "rig", "--rig-model", "2", "--rig-file", "127.0.0.1:9"}));
        EXPECT_EQ(run.wait(), 2) << script;
        EXPECT_EQ(run.err(), path + problem);
        EXPECT_EQ(run.out(), "");  // nothing ran
    }
}

// The same timeline on the simulated station (virtual time) and on the
// radio, where the test raises and drops the carrier as the program's own
// lines say it is ready: the program makes the station do the same things
// in the same order, with CW idents and with audio idents. The stand-in has
// no keyer, so the station keys its own Morse, as the simulated station
// does. Each run ends on a stop signal after its ident (the station's last
// doing before the end): the sound output must leave the signals to the station.
TEST(ProgramWithRadio, OnTheRadioAsOnTheSimulatedStation) {
    for (auto [settings, last] : {std::pair{"[SETTINGS]\nOPTION1=1\nOPTION2=0\n", " tx off"},
                                  {"[SETTINGS]\nOPTION1=0\nOPTION2=1\n", " played "}}) {
        SCOPED_TRACE(settings);
        ProgramRun sim;
        sim.settings(settings);
        Child simulated(sim.args(
            {"--headless", sim.script("callsign W1AW-R\nat 1000 carrier up\nat 6050 carrier down\nat 12000 close\n"),
             "--virtual-time"}));
        ASSERT_EQ(simulated.wait(), 0);
        ASSERT_NE(simulated.out().find(last), std::string::npos) << simulated.out();

        ProgramRun p;
        p.settings(settings);
        RigStandIn rig;
        rig.keyer = false;
        Child run(p.args({"--headless", p.script("at 600000 end\n"), "--host", "rig", "--rig-model", "2",
                          "--rig-file", rig.address(), "--callsign", "W1AW-R", "--trace"}),
                  kQuietSound);
        ASSERT_TRUE(run.waitErr("radio open"));
        rig.carrier = true;
        ASSERT_TRUE(run.waitOut("indicator Kerchunk \"Clear to Send\""));
        rig.carrier = false;
        ASSERT_TRUE(run.waitOut(last));
        run.signal(SIGTERM);  // a close request
        ASSERT_EQ(run.wait(), 0);

        EXPECT_EQ(comparable(run.out()), comparable(simulated.out())) << run.out() << "\n--- simulated:\n"
                                                                      << simulated.out();
        // What the radio was told: released at opening, then one keyed stretch.
        auto r = rig.record();
        EXPECT_EQ(std::count(r.begin(), r.end(), "ptt 1"), 1);
        EXPECT_EQ(r.back(), "ptt 0");
    }
}

// SIGINT is handled as SIGTERM is (a station without windows ends on it below).
TEST(ProgramWithRadio, AStopSignalReleasesTheTransmitterAtOnceAndEndsAsACloseRequest) {
    ProgramRun p;
    RigStandIn rig;
    rig.keyer = false;  // the station keys its own Morse: a long keyed stretch
    Child run(p.args({"--headless",
                      p.script("at 100 type CourtesyID TEST TEST TEST TEST\nat 200 click Command10\nat 600000 end\n"),
                      "--host", "rig", "--rig-model", "2", "--rig-file", rig.address()}),
              kQuietSound);
    ASSERT_TRUE(rig.waitFor("ptt 1"));
    run.signal(SIGTERM);
    EXPECT_EQ(run.wait(), 0);
    EXPECT_EQ(rig.record().back(), "ptt 0");
    std::string out = run.out();
    ASSERT_GE(out.size(), 6u);
    EXPECT_EQ(out.substr(out.size() - 6), " exit\n") << out;  // the close request's end is the last thing
}

TEST(ProgramWithRadio, TheWindowsOnARadioEndOnAStopSignalWithTheTransmitterReleased) {
    ProgramRun p;
    RigStandIn rig;
    Child run(p.args({"--host", "rig", "--rig-model", "2", "--rig-file", rig.address()}),
              {"SDL_AUDIODRIVER=dummy", "QT_QPA_PLATFORM=offscreen"});
    // The radio's news reaches the log from the windows' own loop, which
    // runs once the station has started and its stop signals are handled.
    bool started = run.waitErr("radio \"radio open");
    if (!started && run.err().find("has no windows") != std::string::npos) GTEST_SKIP() << "a build without windows";
    ASSERT_TRUE(started) << run.err();
    run.signal(SIGTERM);
    EXPECT_EQ(run.wait(), 0);
    EXPECT_EQ(rig.record().back(), "ptt 0");
}

TEST(ProgramWithRadio, ChoicesThatCannotWorkAreRefusedBeforeTheStationStarts) {
    struct Case {
        std::vector<std::string> args;
        const char* ini;
        const char* says;
    };
    const Case cases[] = {
        {{"--host", "rig", "--no-window", "--rig-model", "two"}, "", "--rig-model: 'two' is not a whole number"},
        {{"--no-window"}, "[RIG]\nMODEL=2\nTXTIMEOUT=-5\n", "[RIG] TXTIMEOUT: '-5' is not a whole number of 0 or more"},
        {{"--host", "rig", "--no-window"}, "", "no radio model: give --rig-model N"},
        {{"--host", "rig", "--no-window", "--rig-model", "2", "--dcd-type", "SMOKE"},
         "",
         "--dcd-type (one of RIG, DSR"},
        {{"--host", "rig", "--rig-model", "987654", "--no-window"}, "", "Hamlib has no rig model 987654"},
        {{"--host", "rig", "--rig-model", "2", "--headless", "x.tcs", "--virtual-time"},
         "",
         "a radio runs on the real clock"},
        {{"--no-window"}, "", "--no-window runs a station with a radio"},
        {{"--host", "simulated", "--no-window"}, "[RIG]\nMODEL=2\n", "--no-window runs a station with a radio"},
    };
    for (const Case& c : cases) {
        ProgramRun p;
        p.settings(c.ini);
        Child run(p.args(c.args));
        EXPECT_EQ(run.wait(), 2) << c.says;
        EXPECT_NE(run.err().find(c.says), std::string::npos) << run.err();
    }
}

}  // namespace
