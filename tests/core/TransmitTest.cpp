// Audio idents that go wrong, the test and play commands, and the
// supervisor that never leaves the transmitter stuck on the air.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "support/ScriptRun.h"
#include "support/Tones.h"

namespace {

class Transmit : public ::testing::Test {
protected:
    ScriptRun run(const std::string& script, ScriptOptions o = {}) { return runScript(script, config.path(), o); }
    TempDir config;
    TempDir tones;
};

TEST_F(Transmit, MissingToneShowsTheRenderFailureAndTheSupervisorReleases) {
    auto r = run("at 100 type RFTone " + tones.file("gone.wav") +
                 "\n"
                 "at 250 click Command7\n"
                 "at 260 show Label3\n"
                 "at 400 end\n");
    // Released at the next supervisor tick.
    EXPECT_EQ(r.missing({"250 tx on", "250 message 48 \"Error\" \"Render error no rendering device found. Select an Audio file\"",
                         "260 show Label3 \"0\"", "300 tx off"}),
              Lines{})
        << r.out;
    EXPECT_TRUE(r.linesOf("play").empty()) << r.out;
}

TEST_F(Transmit, NotAnAudioFileIsARenderFailureToo) {
    std::ofstream(tones.file("notes.wav")) << "this is not audio\n";
    auto r = run("at 100 type InetTone " + tones.file("notes.wav") + "\nat 150 click Command8\nat 400 end\n");
    EXPECT_EQ(r.linesOf("message 48").size(), 1u) << r.out;
    EXPECT_TRUE(r.has("200 tx off")) << r.out;
}

TEST_F(Transmit, EmptyTonePathAsksForAFileWhileKeyed) {
    writeTone(tones.file("chosen.wav"), 0.4);
    auto r = run("at 100 type RFTone \n"
                 "at 150 click Command7\n"
                 "at 160 show Text3\n"
                 "at 300 dialog " + tones.file("chosen.wav") + "\n"
                 "at 350 click Command7\n"
                 "at 360 show RFTone\n"
                 "at 360 show Text3\n"
                 "at 360 show Label3\n"
                 "at 360 show H1\n"
                 "at 1000 end\n");
    const std::string filter = "\"*.wav, *.mp2, *.mp3, *.mid|*.wav;*.mp2;*.mp3;*.mid\"";
    const std::string chosen = "\"" + tones.file("chosen.wav") + "\"";
    EXPECT_EQ(r.linesOf("message 64 \"Error\"").size(), 1u) << r.out;
    EXPECT_EQ(r.missing({// Cancelled: the "Error" box, nothing loaded, released at the next tick.
                         "150 dialog " + filter + " \"\"", "200 tx off",
                         // Chosen: the path becomes the tone and plays; shorter than a second.
                         "350 dialog " + filter + " " + chosen, "360 show RFTone " + chosen,
                         "350 play " + chosen + " volume=-1540 rate=1", "360 show Text3 \"00:00:00\"",
                         "360 show Label3 \"0.4\"", "360 show H1 value=0 min=0 max=0"}),
              Lines{})
        << r.out;
}

TEST_F(Transmit, PositionBarMaximumRoundsHalfToEven) {
    writeTone(tones.file("a.wav"), 2.5);
    writeTone(tones.file("b.wav"), 3.5);
    auto r = run("at 100 type RFTone " + tones.file("a.wav") + "\n"
                 "at 100 type InetTone " + tones.file("b.wav") + "\n"
                 "at 200 click Command7\n"
                 "at 210 show H1\n"
                 "at 210 show Text3\n"
                 "at 5000 click Command8\n"
                 "at 5010 show H1\n"
                 "at 5010 end\n");
    EXPECT_EQ(r.missing({"210 show H1 value=0 min=0 max=2", "210 show Text3 \"00:00:02\"",
                         "5010 show H1 value=0 min=0 max=4"}),
              Lines{})
        << r.out;
}

TEST_F(Transmit, ToneLongerThanThePositionBarHoldsIsARenderFailure) {
    writeTone(tones.file("nine-hours.wav"), 32768, 100);  // a low rate keeps the file small
    auto r = run("at 100 type RFTone " + tones.file("nine-hours.wav") + "\nat 150 click Command7\nat 160 show Label3\n"
                 "at 300 end\n");
    EXPECT_EQ(r.linesOf("message 48").size(), 1u) << r.out;
    EXPECT_EQ(r.missing({"160 show Label3 \"0\"", "200 tx off"}), Lines{}) << r.out;
}

// The time a line of the transcript was printed at.
long long timeOf(const std::string& line) { return std::stoll(line.substr(0, line.find(' '))); }

// A quoted number of a show line ("210 show Label3 \"0.54\"").
double shownNumber(const std::string& line) { return std::stod(line.substr(line.find('"') + 1)); }

// A VBR MP3 without a tag frame (whose first frame's bit rate says nothing
// of its length) and a MIDI file timed in time code play their whole length.
TEST_F(Transmit, EveryKindOfToneIsSentWhole) {
    writeTone(tones.file("tone.wav"), 0.468, 32000);
    const std::string mp3 = tones.file("vbr.mp3"), mid = tones.file("timecode.mid");
    ASSERT_EQ(std::system(("lame --quiet -t -V 5 '" + tones.file("tone.wav") + "' '" + mp3 + "'").c_str()), 0);
    // 25 frames a second of 40 ticks: a note from tick 0 to 2000 lasts 2 s.
    const unsigned char tune[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0xe7, 0x28, 'M', 'T', 'r', 'k', 0, 0, 0, 13,
                                  0x00, 0x90, 69, 110, 0x8f, 0x50, 0x80, 69, 0, 0x00, 0xff, 0x2f, 0x00};
    std::ofstream(mid, std::ios::binary).write(reinterpret_cast<const char*>(tune), sizeof tune);
    auto r = run("at 100 type RFTone " + mp3 + "\nat 100 type InetTone " + mid +
                 "\nat 200 click Command7\nat 210 show Label3\n"
                 "at 3000 click Command8\nat 3010 show Label3\nat 6000 end\n");
    ASSERT_EQ(r.linesOf("played").size(), 2u) << r.out;
    ASSERT_EQ(r.linesOf("show Label3").size(), 2u) << r.out;
    const double mp3Seconds = shownNumber(r.linesOf("show Label3")[0]);
    EXPECT_GE(mp3Seconds, 0.468) << r.out;
    EXPECT_LE(mp3Seconds, 0.468 + 3 * 1152 / 32000.0) << r.out;
    EXPECT_EQ(timeOf(r.linesOf("played")[0]), 200 + static_cast<long long>(std::ceil(mp3Seconds * 1000 - 1e-9)))
        << r.out;
    EXPECT_EQ(r.missing({"3010 show Label3 \"2\"", "5000 played \"" + mid + "\""}), Lines{}) << r.out;
}

TEST_F(Transmit, PlayBeforeAnyToneKeysAndIsReleased) {
    auto r = run("at 150 click Command3\nat 400 end\n");
    EXPECT_EQ(r.missing({"150 tx on", "200 tx off"}), Lines{}) << r.out;
    EXPECT_TRUE(r.linesOf("message").empty()) << "nothing to load, nothing to say\n" << r.out;
}

TEST_F(Transmit, StopHoldsTheTransmitterUntilResumeRunsToTheEnd) {
    writeTone(tones.file("long.wav"), 2.0);
    auto r = run("at 100 type RFTone " + tones.file("long.wav") + "\n"
                 "at 150 click Command7\n"
                 "at 1150 click Command2\n"
                 "at 5000 show PTT\n"
                 "at 5001 show Label1\n"
                 "at 6000 click Command5\n"
                 "at 8000 end\n");
    // Stopped short of the end: still keyed.
    EXPECT_EQ(r.missing({"5000 show PTT \"PTT ON\" #ff0000", "5001 show Label1 \"1\"",
                         "7000 played \"" + tones.file("long.wav") + "\"", "7000 tx off"}),
              Lines{})
        << r.out;
}

TEST_F(Transmit, SeekingWithThePositionBarMovesPlayback) {
    writeTone(tones.file("long.wav"), 4.0);
    auto r = run("at 100 type RFTone " + tones.file("long.wav") + "\n"
                 "at 150 click Command7\n"
                 "at 500 slide H1 3\n"
                 "at 3000 end\n");
    EXPECT_TRUE(r.has("1500 played \"" + tones.file("long.wav") + "\"")) << r.out;
}

TEST_F(Transmit, FileCommandLoadsWithoutPlaying) {
    writeTone(tones.file("rf.wav"), 1.0);
    auto r = run("at 100 type RFTone " + tones.file("rf.wav") + "\n"
                 "at 150 click Command4\n"  // no tone chosen yet: nothing at all
                 "at 160 show Label3\n"
                 "at 200 click Command7\n"
                 "at 2000 click Command4\n"
                 "at 2010 show Label1\n"
                 "at 2010 show Label3\n"
                 "at 3000 end\n");
    EXPECT_EQ(r.linesOf("play").size(), 1u) << r.out;
    // The fresh graph stands at its start, short of its end, so the
    // supervisor holds the transmitter as it does for a stopped file.
    EXPECT_EQ(r.missing({"160 show Label3 \"0\"", "2010 show Label3 \"1\"", "2010 show Label1 \"0\"", "2000 tx on"}),
              Lines{})
        << r.out;
}

TEST_F(Transmit, TheSameToneTwiceIsLoadedTwice) {
    writeTone(tones.file("rf.wav"), 0.5);
    auto r = run("at 100 type RFTone " + tones.file("rf.wav") + "\n"
                 "at 150 click Command7\n"
                 "at 1150 click Command7\n"
                 "at 2000 end\n");
    EXPECT_EQ(r.linesOf("play").size(), 2u) << r.out;
    EXPECT_EQ(r.linesOf("played").size(), 2u) << r.out;
    EXPECT_TRUE(r.has("1650 played \"" + tones.file("rf.wav") + "\"")) << r.out;
}

TEST_F(Transmit, IdentIndicatorFollowsAudioMode) {
    writeTone(tones.file("rf.wav"), 1.0);
    auto r = run("at 150 show Ident\n"
                 "at 200 click Picture13\n"
                 "at 301 show Ident\n"
                 "at 302 show Frame5\n"
                 "at 302 show Frame2\n"
                 "at 400 type RFTone " + tones.file("rf.wav") + "\n"
                 "at 450 click Command7\n"
                 "at 451 show Ident\n"
                 "at 1000 end\n");
    EXPECT_EQ(r.missing({"150 show Ident \"Ident OFF\" buttonface",  // CW mode leaves it alone
                         "301 show Ident \"Audio Ident\" buttonface", "302 show Frame5 shown", "302 show Frame2 hidden",
                         "451 show Ident \"Ident ON\" #ffc080"}),
              Lines{})
        << r.out;
}

TEST_F(Transmit, CwIdentKeysOnlyForTheMorse) {
    auto r = run("at 150 click Command10\nat 160 type CourtesyID ID\nat 2000 click Command11\nat 3000 end\n");
    // K: dash dot dash = 9 units of 60 ms at 20 words per minute.
    EXPECT_EQ(r.missing({"150 cw \"K\"", "150 tx on", "690 tx off", "2000 cw \"I\""}), Lines{}) << r.out;
}

}  // namespace
