// The operator's commands and what the status clock makes of the panel.
#include <gtest/gtest.h>

#include "program/Form21.h"
#include "app/posix/IniProfile.h"
#include "core/StationLoop.h"
#include "hostlink/SimulatedStation.h"
#include "ui/About.h"
#include "program/headless/HeadlessDesktop.h"
#include "core/Transcript.h"
#include "support/ScriptRun.h"

namespace {

using PanelCommands = StationScript;

TEST_F(PanelCommands, UseAndStopSwapAndTheAntennaTurnsOnlyWhileOn) {
    auto r = run("at 50 show Command14\nat 50 show Command15\n"
                 "at 101 show Command14\nat 101 show Command15\nat 101 show Ant1\n"
                 "at 201 show Ant2\nat 301 show Ant3\nat 401 show Ant0\n"
                 "at 550 click Command15\nat 551 show Ant0\nat 551 show Ant1\nat 551 show Check1\n"
                 "at 601 show Command14\nat 601 show Command15\nat 601 show Ant0\nat 601 show Ant1\n"
                 "at 650 click Command14\nat 701 show Ant1\nat 701 show Command14\n"
                 "at 800 end\n");
    // Stop, clicked while the second frame shows, turns the antenna back to its first at once.
    EXPECT_LINES(r, {"50 show Command14 shown", "50 show Command15 shown", "101 show Command14 hidden",
                     "101 show Command15 shown", "101 show Ant1 shown", "201 show Ant2 shown", "301 show Ant3 shown",
                     "401 show Ant0 shown", "551 show Ant0 shown", "551 show Ant1 hidden", "551 show Check1 0",
                     "601 show Command14 shown", "601 show Command15 hidden", "601 show Ant0 shown",
                     "601 show Ant1 hidden", "701 show Ant1 shown", "701 show Command14 hidden"});
    EXPECT_EQ(r.linesOf("save").size(), 2u);
}

TEST_F(PanelCommands, TimingsPageOpensWithoutSavingAndClosesWithSaving) {
    auto r = run("at 100 click Command17\nat 101 show Frame6 -> shown\nat 200 click Command16\n"
                 "at 201 show Frame6 -> hidden\nat 300 end\n");
    EXPECT_EQ(r.linesOf("save"), std::vector<std::string>{"200 save"});
}

TEST_F(PanelCommands, ChoosingAFileKeepsTheFieldOnCancel) {
    auto r = run("at 100 click Command1\n"  // cancelled with the default path in the field
                 "at 101 show RFTone -> \"" + tc::defaultTone("RF.wav") + "\"\n"
                 "at 200 type InetTone \n"
                 "at 300 click Command6\n"  // cancelled with an empty field
                 "at 400 dialog /tones/new.mp3\n"
                 "at 500 click Command6\n"
                 "at 501 show InetTone -> \"/tones/new.mp3\"\n"
                 "at 600 end\n");
    EXPECT_EQ(r.linesOf("message"),
              std::vector<std::string>{"300 message 64 \"Error No File selected\" \" You must select an audio file\""});
    EXPECT_TRUE(r.linesOf("save").empty()) << "choosing a file does not save";
}

TEST_F(PanelCommands, AboutWindowIsMadeOnceAndTitledFromItsOwnHostObject) {
    tc::StationLoop loop;
    tc::SimulatedStation station(loop, "VK2RAA-R");
    std::ostringstream out;
    tc::Transcript transcript(out, [] { return 0; });
    tc::HeadlessDesktop desktop(transcript, {}, {});
    tc::IniProfile profile(config.file("tailchime.ini"));
    auto graphs = tc::makeVirtualAudio(loop, nullptr);
    tc::Form21 form({loop, station, *graphs, desktop, profile, "", "", {}, {}});
    form.load();
    form.click("Command12");
    tc::Form14* about = form.commands.about();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->Caption(), "Tailchime    VK2RAA-R   v2.0.1");
    EXPECT_EQ(about->Label6(), about->Caption());
    station.setCallsign("VK2RAA-L");
    form.click("Command12");
    EXPECT_EQ(form.commands.about(), about) << "one window, kept";
    EXPECT_EQ(about->Caption(), "Tailchime    VK2RAA-R   v2.0.1") << "not rebuilt while loaded";
    about->Unload();
    form.click("Command12");
    EXPECT_EQ(about->Caption(), "Tailchime    VK2RAA-L   v2.0.1") << "loaded afresh after it was closed";
}

}  // namespace
