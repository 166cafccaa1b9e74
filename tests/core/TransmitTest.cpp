// Audio idents that go wrong, the test and play commands, and the
// supervisor that never leaves the transmitter stuck on the air.
#include <gtest/gtest.h>

#include "support/ScriptRun.h"
#include "support/Tones.h"

namespace {

using Transmit = StationScript;

// Play with no tone source chosen has nothing to load and says nothing; a
// missing tone shows the render failure. The supervisor's next tick releases both.
TEST_F(Transmit, PlayWithoutAToneOrWithAMissingOneIsReleased) {
    auto r = run("at 150 click Command3\n"
                 "at 220 type RFTone " + tones.file("gone.wav") + "\n"
                 "at 250 click Command7\n"
                 "at 260 show Label3 -> \"0\"\n"
                 "at 400 end\n");
    EXPECT_LINES(r, {"150 tx on", "200 tx off", "250 tx on", "300 tx off"});
    EXPECT_EQ(r.linesOf("message"),
              Lines{"250 message 48 \"Error\" \"Render error no rendering device found. Select an Audio file\""});
    EXPECT_TRUE(r.linesOf("play").empty()) << r.out;
}

TEST_F(Transmit, EmptyTonePathAsksForAFileWhileKeyed) {
    writeTone(tones.file("chosen.wav"), 0.4);
    const std::string filter = "\"*.wav, *.mp2, *.mp3, *.mid|*.wav;*.mp2;*.mp3;*.mid\"";
    const std::string chosen = "\"" + tones.file("chosen.wav") + "\"";
    // Chosen, the path becomes the tone and plays; shorter than a second.
    auto r = run("at 100 type RFTone \n"
                 "at 150 click Command7\n"
                 "at 300 dialog " + tones.file("chosen.wav") + "\n"
                 "at 350 click Command7\n"
                 "at 360 show RFTone -> " + chosen + "\n"
                 "at 360 show Text3 -> \"00:00:00\"\n"
                 "at 360 show Label3 -> \"0.4\"\n"
                 "at 360 show H1 -> value=0 min=0 max=0\n"
                 "at 1000 end\n");
    EXPECT_EQ(r.linesOf("message 64 \"Error\"").size(), 1u) << r.out;
    EXPECT_LINES(r, {// Cancelled: the "Error" box, nothing loaded, released at the next tick.
                     "150 dialog " + filter + " \"\"", "200 tx off",
                     "350 dialog " + filter + " " + chosen, "350 play " + chosen + " volume=-1540 rate=1"});
}

TEST_F(Transmit, PositionBarMaximumRoundsHalfToEven) {
    writeTone(tones.file("a.wav"), 2.5);
    writeTone(tones.file("b.wav"), 3.5);
    auto r = run("at 100 type RFTone " + tones.file("a.wav") + "\n"
                 "at 100 type InetTone " + tones.file("b.wav") + "\n"
                 "at 200 click Command7\n"
                 "at 210 show H1 -> value=0 min=0 max=2\n"
                 "at 210 show Text3 -> \"00:00:02\"\n"
                 "at 5000 click Command8\n"
                 "at 5010 show H1 -> value=0 min=0 max=4\n"
                 "at 5010 end\n");
}

TEST_F(Transmit, SeekAndStopHoldTheTransmitterUntilResumeRunsToTheEnd) {
    writeTone(tones.file("long.wav"), 4.0);
    auto r = run("at 100 type RFTone " + tones.file("long.wav") + "\n"
                 "at 150 click Command7\n"
                 "at 500 slide H1 3\n"  // a second short of the end
                 "at 1000 click Command2\n"
                 "at 5000 show PTT -> \"PTT ON\" #ff0000\n"  // stopped short of the end: still keyed
                 "at 5001 show Label1 -> \"3.5\"\n"
                 "at 6000 slide V2 200\n"  // the half second left goes at double speed
                 "at 6000 click Command5\n"
                 "at 8000 end\n");
    EXPECT_LINES(r, {"6250 played \"" + tones.file("long.wav") + "\"", "6300 tx off"});
}

TEST_F(Transmit, FileCommandLoadsWithoutPlaying) {
    writeTone(tones.file("rf.wav"), 1.0);
    auto r = run("at 100 type RFTone " + tones.file("rf.wav") + "\n"
                 "at 150 click Command4\n"  // no tone chosen yet: nothing at all
                 "at 160 show Label3 -> \"0\"\n"
                 "at 200 click Command7\n"
                 "at 2000 click Command4\n"
                 "at 2010 show Label1 -> \"0\"\n"
                 "at 2010 show Label3 -> \"1\"\n"
                 "at 3000 end\n");
    EXPECT_EQ(r.linesOf("play").size(), 1u) << r.out;
    // The fresh graph stands at its start, short of its end, so the
    // supervisor holds the transmitter as it does for a stopped file.
    EXPECT_TRUE(r.has("2000 tx on")) << r.out;
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
    run("at 150 show Ident -> \"Ident OFF\" buttonface\n"  // CW mode leaves it alone
        "at 200 click Picture13\n"
        "at 301 show Ident -> \"Audio Ident\" buttonface\n"
        "at 302 show Frame5 -> shown\n"
        "at 302 show Frame2 -> hidden\n"
        "at 400 type RFTone " + tones.file("rf.wav") + "\n"
        "at 450 click Command7\n"
        "at 451 show Ident -> \"Ident ON\" #ffc080\n"
        "at 1000 end\n");
}

// The CW tests send their fields as they are: an empty one goes to the host
// and keys nothing; a field typed while the Morse sounds changes it not.
TEST_F(Transmit, CwTestsSendTheirFieldsAndKeyOnlyForTheMorse) {
    auto r = run("at 100 type IPCourtesy \nat 150 click Command10\nat 160 type CourtesyID QRZ?\nat 1000 click Command11\n"
                 "at 1200 click Command10\nat 4000 end\n");
    // K: dash dot dash = 9 units of 60 ms at 20 words per minute.
    EXPECT_LINES(r, {"150 cw \"K\"", "150 tx on", "690 tx off", "1000 cw \"\"", "1200 cw \"QRZ?\""});
    EXPECT_EQ(r.linesOf("tx on"), (Lines{"150 tx on", "1200 tx on"}));
}

}  // namespace
