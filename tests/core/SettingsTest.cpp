// The settings file as the station reads and writes it, and the timing
// fields that act at once.
#include <gtest/gtest.h>

#include "program/ToneFiles.h"
#include "support/ScriptRun.h"

namespace {

struct Settings : StationScript {
    std::string stored() const { return readFile(config.file("tailchime.ini")); }
    const std::string rf = tc::defaultTone("RF.wav"), ip = tc::defaultTone("IP.wav");
};

const char* kShowAll =
    "at 1 show CourtesyID\nat 1 show IPCourtesy\nat 1 show HangTime\nat 1 show KerchunkWait\n"
    "at 1 show RFTone\nat 1 show InetTone\nat 1 show VolSet\nat 1 show SpeedSet\nat 1 show V1\n"
    "at 1 show V2\nat 1 show Option1\nat 1 show Option2\nat 1 show Check1\nat 1 show Kerchunker\n"
    "at 1 show KickBackCheck\n";

TEST_F(Settings, FirstStartTakesEveryDefaultAndWritesNothing) {
    auto r = run(std::string(kShowAll) + "at 2 end\n");
    EXPECT_LINES(r, {"1 show CourtesyID \"K\"", "1 show IPCourtesy \"I\"", "1 show HangTime \"500\"",
                     "1 show KerchunkWait \"2000\"", "1 show RFTone \"" + rf + "\"", "1 show InetTone \"" + ip + "\"",
                     "1 show VolSet \"-1540\"", "1 show SpeedSet \"100\"", "1 show V1 value=-1540 min=-3000 max=0",
                     "1 show V2 value=100 min=10 max=200", "1 show Option1 true", "1 show Option2 false", "1 show Check1 1",
                     "1 show Kerchunker stopped interval=2000", "1 show KickBackCheck stopped interval=500"});
    EXPECT_FALSE(std::filesystem::exists(config.file("tailchime.ini")));
}

TEST_F(Settings, SaveWritesAllThirteenKeysInOrderAndReadsBack) {
    run("at 100 type CourtesyID KA\n"
        "at 100 click Command15\n"  // switched off
        "at 100 type HangTime 750\n"
        "at 100 slide V1 -200\n"
        "at 100 slide V2 150\n"
        "at 200 click Picture13\n"  // saves
        "at 300 end\n");
    EXPECT_EQ(stored(),
              "[SETTINGS]\nCOURTESYID=KA\nIPCOURTESY=I\nHANGTIME=750\nKERCHUNKWAIT=2000\nRFTONE=" + rf +
                  "\nINETTONE=" + ip +
                  "\nVOLSET=-200\nSPEEDSET=150\nOPTION1=False\nOPTION2=True\nCHECK1=0\nLEFT=300\nTOP=300\n");
    auto r = run(std::string(kShowAll) + "at 2 end\n");
    EXPECT_LINES(r, {"1 show CourtesyID \"KA\"", "1 show V1 value=-200 min=-3000 max=0",
                     "1 show V2 value=150 min=10 max=200", "1 show Option1 false", "1 show Option2 true",
                     "1 show Check1 0", "1 show KickBackCheck stopped interval=750"});
}

// Names and values read by the Windows rules; a value that does not convert
// gives way to its default, and the save writes the values the station runs with.
TEST_F(Settings, HandWrittenFileReadsByWindowsRulesAndBadValuesFallBack) {
    std::ofstream(config.file("tailchime.ini"))
        << "; written by hand\n[settings]\ncourtesyid=\nIPCOURTESY = \"DE \"\nOPTION1=maybe\nOPTION2=yes\nCHECK1=7\n"
           "VOLSET=loud\nSPEEDSET=900\nLEFT=1234.5\nTOP=1e9\nHANGTIME=soon\nKERCHUNKWAIT=-5\n";
    auto r = run(std::string(kShowAll) + "at 2 click Command18\nat 3 end\n");
    EXPECT_LINES(r, {"1 show CourtesyID \"\"", "1 show IPCourtesy \"DE \"", "1 show Option1 true",
                     "1 show Option2 false", "1 show Check1 1", "1 show V1 value=-1540 min=-3000 max=0",
                     "1 show VolSet \"-1540\"", "1 show V2 value=100 min=10 max=200", "1 show SpeedSet \"100\"",
                     "1 show HangTime \"soon\"", "1 show KickBackCheck stopped interval=500",
                     "1 show KerchunkWait \"-5\"", "1 show Kerchunker stopped interval=2000"});
    EXPECT_TRUE(r.linesOf("message").empty()) << r.out;
    // The comment and the section's spelling survive the save.
    EXPECT_EQ(stored().rfind("; written by hand\n[settings]\n", 0), 0u) << stored();
    for (const char* kv : {"OPTION1=True", "OPTION2=False", "CHECK1=1", "LEFT=1234.5", "TOP=300", "VOLSET=-1540"})
        EXPECT_NE(stored().find(kv), std::string::npos) << kv << "\n" << stored();
}

TEST_F(Settings, EveryKeystrokeInATimingFieldSetsTheInterval) {
    // An emptied field keeps the interval; a fraction goes half to the even neighbour.
    run("at 100 type HangTime \nat 101 show KickBackCheck -> stopped interval=500\n"
        "at 110 type HangTime 7\nat 111 show KickBackCheck -> stopped interval=7\n"
        "at 150 type KerchunkWait 2500.5\nat 151 show Kerchunker -> stopped interval=2500\n"
        "at 160 type KerchunkWait 99999\nat 161 show Kerchunker -> stopped interval=2500\n"
        "at 170 end\n");
}

TEST_F(Settings, ChangingTheHangTimeOfARunningPollRestartsIt) {
    auto r = run("at 1000 carrier up\nat 3200 type HangTime 1000\nat 4000 carrier down\nat 6000 end\n");
    // Polls were due every 500 ms from 3000; the new interval counts from 3200.
    EXPECT_TRUE(r.has("4200 cw \"K\"")) << r.out;
}

}  // namespace
