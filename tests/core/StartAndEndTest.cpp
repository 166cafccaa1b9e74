// Start-up's gates and the ways the program ends.
#include <gtest/gtest.h>

#include <filesystem>

#include "program/Form21.h"
#include "core/StationLoop.h"
#include "program/headless/HeadlessDesktop.h"
#include "core/Transcript.h"
#include "hostlink/SimulatedStation.h"
#include "support/ScriptRun.h"
#include "support/Tones.h"

namespace {

using StartAndEnd = StationScript;

// A report sender whose report, as the transcript tells it, is what start-up handed it.
const ScriptOptions kEchoedReport{.report = [](tc::EventLoop&) -> tc::ReportSender {
    return [](const std::string& call, const std::string& prog, const std::string& ver) {
        return call + "|" + prog + "|" + ver;
    };
}};

TEST_F(StartAndEnd, SingleUserStationIsRefusedBeforeAnySetting) {
    auto r = run("callsign W1AW\nat 1000 carrier up\nat 3000 end\n", kEchoedReport);
    EXPECT_EQ(r.out,
              "0 caption \"Tailchime    W1AW   v2.0.1\"\n"
              "0 message 0 \"Tailchime\" \"Tailchime Only runs in Sysop Mode\"\n"
              "0 exit\n");
    EXPECT_FALSE(std::filesystem::exists(config.file("tailchime.ini"))) << "nothing is saved";
}

TEST_F(StartAndEnd, DashAnywhereIsSysopMode) {
    for (const std::string call : {"-W1AW", "W1AW-", "W1-AW"}) {
        auto r = run("callsign " + call + "\nat 200 show Callsign -> \"" + call + "\"\nat 200 end\n");
        EXPECT_TRUE(r.linesOf("exit").empty()) << r.out;
    }
}

TEST_F(StartAndEnd, SecondCopyIsRefusedBeforeTouchingTheHost) {
    // Another copy runs on this configuration folder (the lock itself is the instance lock's test).
    auto r = run("at 1000 end\n", {.previousInstance = [this](const std::string& dir) { return dir == config.path(); }});
    EXPECT_EQ(r.out, "0 message 0 \"Tailchime\" \"Program is already running.\"\n0 exit\n");
}

TEST_F(StartAndEnd, StartUpFillsTheIdentityFieldsAndReportsThem) {
    auto r = run("callsign K1ABC-R\n"
                 "at 1 show Label1\nat 1 show Label2\nat 1 show Label3\nat 1 end\n",
                 kEchoedReport);
    EXPECT_EQ(r.linesOf("report"), Lines{"0 report \"K1ABC-R|Tailchime|2.0.1\""}) << r.out;
    EXPECT_LINES(r, {"1 show Label1 \"0\"", "1 show Label2 \"0\"", "1 show Label3 \"0\""});
}

// Closing the window ends the program as it stands; Save and Quit saves first.
TEST_F(StartAndEnd, CloseRequestEndsWithoutSavingAndSaveAndQuitSavesFirst) {
    for (const auto& [ending, saves] : {std::pair{"close", false}, {"click Command9", true}}) {
        auto r = run("at 100 type CourtesyID X\nat 200 " + std::string(ending) + "\nat 300 show CourtesyID\n");
        EXPECT_EQ(r.linesOf("save"), saves ? Lines{"200 save"} : Lines{}) << ending;
        EXPECT_EQ(r.lines().back(), "200 exit") << "nothing runs after the end\n" << r.out;
        EXPECT_EQ(readFile(config.file("tailchime.ini")).find("COURTESYID=X") != std::string::npos, saves);
    }
}

TEST_F(StartAndEnd, HostClosingDuringAnIdentReleasesSavesAndEnds) {
    writeTone(tones.file("ip.wav"), 3.0);
    auto r = run("at 100 click Picture13\n"
                 "at 100 type InetTone " + tones.file("ip.wav") + "\n"
                 "at 500 rx on\n"
                 "at 600 rx off\n"
                 "at 1000 closing\n"
                 "at 2000 show PTT\n");
    EXPECT_TRUE(r.out.ends_with("\n1000 tx off\n1000 save\n1000 exit\n")) << r.out;
    EXPECT_TRUE(r.linesOf("played").empty()) << r.out;
}

TEST_F(StartAndEnd, RunStopsTenSecondsAfterTheLastStatement) {
    EXPECT_TRUE(run("at 500 rx on\n").out.ends_with("\n500 tx on\n")) << "the run stops without the program";
}

// A desktop whose boxes stay open for a second of station time, as an
// operator's would: the loop runs on while each one waits.
class LingeringBoxes : public tc::HeadlessDesktop {
public:
    LingeringBoxes(tc::Transcript& t, tc::StationLoop& loop, bool secondCopy)
        : HeadlessDesktop(t, [secondCopy] { return secondCopy; }, [&loop] { loop.stop(); }), loop_(loop) {}
    void MsgBox(const std::string& text, int style, const std::string& title) override {
        HeadlessDesktop::MsgBox(text, style, title);
        loop_.runUntil(loop_.nowMs() + 1000);
    }

private:
    tc::StationLoop& loop_;
};

TEST_F(StartAndEnd, NoTickRunsBeforeTheHostObjectExists) {
    for (bool secondCopy : {true, false}) {
        tc::StationLoop loop;
        tc::SimulatedStation station(loop, secondCopy ? "W1AW-R" : "W1AW");
        std::ostringstream out;
        tc::Transcript transcript(out, [&loop] { return loop.nowMs(); });
        LingeringBoxes desktop(transcript, loop, secondCopy);
        tc::IniProfile profile(config.file("tailchime.ini"));
        auto graphs = tc::makeVirtualAudio(loop, nullptr);
        tc::Form21 form({loop, station, *graphs, desktop, profile, "", "", {}, {}});
        form.load();
        EXPECT_TRUE(form.ended());
        // No tick runs inside either refusal's box: before the host object
        // exists, or before the registers are set (the supervisor would key
        // the transmitter for registers that differ).
        const std::string refusal = secondCopy ? "Program is already running." : "Tailchime Only runs in Sysop Mode";
        EXPECT_EQ(out.str(), "0 message 0 \"Tailchime\" \"" + refusal + "\"\n1000 exit\n");
        EXPECT_EQ(station.keyed(), false);
    }
}

TEST_F(StartAndEnd, BadScriptIsRefusedWithFileAndLine) {
    auto r = run("at 100 carrier up\n# fine so far\nat 50 carrier down\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.ends_with("/station.tcs:3: time 50 is earlier than the statement before it\n")) << r.err;
}

}  // namespace
