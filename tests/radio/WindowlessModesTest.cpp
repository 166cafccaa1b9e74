// The windows are a module of their own: the modes without windows must not
// load it nor any library that only the windows need, the windowed program
// must load it and show its windows, and a program without its module must
// say so in one line and end without touching the radio.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <set>

#include "radio/RigStandIn.h"
#include "support/Child.h"
#include "support/ProgramRun.h"

namespace fs = std::filesystem;

namespace {

// Libraries that only the windows bring: Qt itself and what Qt draws with.
const std::vector<std::string> kWindowLibraries = {"libQt6",  "libfontconfig", "libfreetype",
                                                   "libGL",   "libEGL",        "libxkbcommon-x11"};
// What the sound output brings besides: SDL, and through it the display's
// libraries. Only the modes that sound on the real clock load them.
const std::vector<std::string> kSoundLibraries = {"libSDL2", "libX11", "libxcb", "libwayland", "libfluidsynth",
                                                  "tailchime-sound.so"};
const std::string kModule = "tailchime-windows.so";

// A run whose dynamic linker reports each shared object it loads
// (LD_DEBUG=files) into files in a folder of its own.
struct TracedRun : ProgramRun {
    TempDir trace;

    std::vector<std::string> env(std::vector<std::string> more = {}) const {
        more.push_back("LD_DEBUG=files");
        more.push_back("LD_DEBUG_OUTPUT=" + trace.file("ld"));
        more.push_back("SDL_AUDIODRIVER=dummy");
        return more;
    }
    // The file names of the objects loaded, dlopen()ed ones included.
    std::set<std::string> loaded() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(trace.path())) {
            std::ifstream in(entry.path());
            for (std::string line; std::getline(in, line);) {
                auto at = line.find("file=");
                if (at == std::string::npos || line.find("generating link map") == std::string::npos) continue;
                std::string path = line.substr(at + 5, line.find(" [", at) - at - 5);
                names.insert(fs::path(path).filename().string());
            }
        }
        return names;
    }
};

std::vector<std::string> librariesIn(const std::set<std::string>& loaded, const std::vector<std::string>& kinds) {
    std::vector<std::string> found;
    for (const auto& name : loaded)
        for (const auto& gui : kinds)
            if (name.rfind(gui, 0) == 0) found.push_back(name);
    return found;
}

// The trace of a run worked when it lists the C library; then the run had
// none of the windows' libraries and not the module.
std::set<std::string> expectWindowless(const TracedRun& run) {
    auto loaded = run.loaded();
    EXPECT_TRUE(loaded.count("libc.so.6")) << "the dynamic linker's trace is empty";
    EXPECT_EQ(librariesIn(loaded, kWindowLibraries), std::vector<std::string>{});
    EXPECT_FALSE(loaded.count(kModule));
    return loaded;
}

TEST(WindowlessModes, TheInformationOptionsAndAStationScriptLoadNoWindowLibrary) {
    const std::string script = std::string(TAILCHIME_SOURCE_DIR) + "/examples/example.tcs";
    const std::vector<std::vector<std::string>> modes = {
        {"--version"}, {"--help"}, {"--list-rigs"}, {"--headless", script, "--virtual-time"}};
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.front());
        TracedRun run;
        Child program(run.args(mode), run.env());
        ASSERT_EQ(program.wait(), 0) << program.err();
        EXPECT_NE(program.out(), "");
        if (mode.front() == "--list-rigs") {  // Hamlib's models, one a line
            EXPECT_EQ(program.out().rfind("1\tHamlib\tDummy\t", 0), 0u);
            EXPECT_NE(program.out().find("\n2\tHamlib\tNET rigctl\t"), std::string::npos);
        }
        auto loaded = expectWindowless(run);
        EXPECT_EQ(librariesIn(loaded, kSoundLibraries), std::vector<std::string>{}) << "nothing here sounds";
    }
}

// What the program maps now.
std::string mapped(int pid) {
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    return std::string(std::istreambuf_iterator<char>(maps), {});
}

// The radio chosen in the settings file alone, as a repeater PC keeps it:
// each doing logged with the wall clock's time, and no window library. The
// usage report's client, libcurl with it, is gone once the report is posted.
TEST(WindowlessModes, AStationWithARadioAndNoWindowLogsEachDoingAndLoadsNoWindowLibrary) {
    RigStandIn rig;
    TracedRun run;
    run.settings("[RIG]\nMODEL=2\nFILE=" + rig.address() + "\nCALLSIGN=W1AW-R\n");
    Child program(run.args({"--no-window", "--trace"}), run.env());
    ASSERT_TRUE(program.waitErr("radio \"radio open")) << program.err();
    EXPECT_EQ(run.loaded().count("tailchime-report.so"), 1u);
    EXPECT_EQ(mapped(program.pid()).find("libcurl"), std::string::npos);
    rig.carrier = true;
    ASSERT_TRUE(program.waitErr("indicator Kerchunk \"Clear to Send\""));
    rig.carrier = false;
    ASSERT_TRUE(rig.waitFor("morse K"));
    program.signal(SIGINT);
    ASSERT_EQ(program.wait(), 0) << program.err();
    EXPECT_EQ(program.out(), "");
    const std::string err = program.err();
    std::regex stamped(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} .+)");
    std::istringstream log(err);
    for (std::string l; std::getline(log, l);) EXPECT_TRUE(std::regex_match(l, stamped)) << l;
    std::string::size_type at = 0;
    for (const char* doing :
         {" caption \"Tailchime    W1AW-R   v2.0.1\"", " carrier up", " carrier down", " cw \"K\"", " exit"})
        EXPECT_NE(at = err.find(doing, at), std::string::npos) << doing << " in order in\n" << err;
    EXPECT_EQ(rig.record().back(), "ptt 0");  // released once more on the way out
    auto loaded = expectWindowless(run);
    EXPECT_EQ(loaded.count("tailchime-sound.so"), 0u) << "the radio keys its own Morse and the idents are CW";
}

// A name look-up that outlasts the report still runs on a thread of
// libcurl's: the report's client stays mapped under it, and the station runs
// on and ends cleanly once the look-up returns.
TEST(WindowlessModes, AReportWhoseNameLookUpOutlastsItKeepsItsClientMapped) {
    ProgramRun run;
    const std::string gate = run.config.file("gate");
    Child program({TAILCHIME_TEST_BIN, "--config-dir", run.config.path(), "--stats-server", "hang.test", "--headless",
                   run.script("at 600000 end\n")},
                  {"LD_PRELOAD=" TAILCHIME_HANGING_LOOKUP, "TAILCHIME_LOOKUP_GATE=" + gate,
                   "ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0"});
    ASSERT_TRUE(program.waitOut(" report ")) << program.err();
    EXPECT_NE(mapped(program.pid()).find("tailchime-report.so"), std::string::npos);
    std::ofstream{gate};
    program.signal(SIGTERM);
    EXPECT_EQ(program.wait(), 0) << program.err();
}

// The same radio with audio idents: the sound output is loaded for them.
TEST(WindowlessModes, AStationWithARadioLoadsTheSoundOutputForAudioIdents) {
    RigStandIn rig;
    TracedRun run;
    run.settings("[SETTINGS]\nOPTION1=False\nOPTION2=True\n");
    Child program(run.args({"--no-window", "--host", "rig", "--rig-model", "2", "--rig-file",
                                                 rig.address()}),
                  run.env());
    ASSERT_TRUE(program.waitErr("radio \"radio open")) << program.err();
    program.signal(SIGTERM);
    ASSERT_EQ(program.wait(), 0) << program.err();
    auto loaded = expectWindowless(run);
    EXPECT_EQ(loaded.count("tailchime-sound.so"), 1u);
    EXPECT_FALSE(librariesIn(loaded, kSoundLibraries).empty());
}

#ifdef TAILCHIME_WINDOWS_MODULE

TEST(WindowsModule, TheWindowedProgramLoadsItAndShowsBothWindows) {
    TracedRun run;
    std::string shots = run.config.file("shots");
    Child program(run.args({"--screenshot", shots}), run.env({"QT_QPA_PLATFORM=offscreen"}));
    ASSERT_EQ(program.wait(), 0) << program.err();
    for (const char* picture : {"main-window.png", "station-simulator.png"}) {
        std::error_code ec;
        EXPECT_GT(fs::file_size(shots + "/" + picture, ec), 0u) << picture << ": " << ec.message();
    }
    auto loaded = run.loaded();
    EXPECT_TRUE(loaded.count(kModule));
    EXPECT_TRUE(loaded.count("libQt6Widgets.so.6"));
    EXPECT_NE(librariesIn(loaded, kWindowLibraries), std::vector<std::string>{});
}

TEST(WindowsModule, WithoutItTheWindowsAreRefusedInOneLineBeforeTheRadioIsTouched) {
    // The program alone in an installation of its own, without the module.
    TempDir alone;
    const std::string program = loneProgram(alone);
    const std::string expected =
        "tailchime: cannot show the windows: " + alone.file(std::string(TAILCHIME_MODULE_DIR) + "/" + kModule) + ": ";

    RigStandIn rig;
    for (const std::vector<std::string>& mode :
         {std::vector<std::string>{}, {"--host", "rig", "--rig-model", "2", "--rig-file", rig.address()}}) {
        SCOPED_TRACE(mode.empty() ? "the simulated station" : "a radio");
        TracedRun run;
        Child windowed(run.args(mode, program), run.env({"QT_QPA_PLATFORM=offscreen"}));
        EXPECT_EQ(windowed.wait(), 1);
        // One line for the windows; a radio's station has loaded its sound
        // output first, and says in a line of its own that it has none.
        std::string err = windowed.err();
        std::string::size_type told = err.find(expected);
        EXPECT_NE(told, std::string::npos) << err;
        EXPECT_TRUE(told == 0 || (!mode.empty() && err.rfind("tailchime: no sound output: ", 0) == 0)) << err;
        EXPECT_EQ(err.find('\n', told), err.size() - 1) << "the last line\n" << err;
        EXPECT_EQ(librariesIn(run.loaded(), kWindowLibraries), std::vector<std::string>{});
    }
    EXPECT_EQ(RigStandIn::find(rig.record(), "ptt 1"), -1);
}

#endif

}  // namespace
