// The windows are a module of their own: the modes without windows must not
// load it nor any library that only the windows need, the windowed program
// must load it and show its windows, and a program without its module must
// say so in one line and end without touching the radio.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "radio/Child.h"
#include "radio/RigStandIn.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Libraries that only the windows bring: Qt itself and what Qt draws with.
const std::vector<std::string> kGuiLibraries = {"libQt6",  "libfontconfig", "libfreetype",
                                                "libGL",   "libEGL",        "libxkbcommon-x11"};
const std::string kModule = "tailchime-windows.so";

// A run whose dynamic linker reports each shared object it loads
// (LD_DEBUG=files) into files in a folder of its own.
struct TracedRun {
    TempDir config;
    TempDir trace;

    std::vector<std::string> env(std::vector<std::string> more = {}) const {
        more.push_back("LD_DEBUG=files");
        more.push_back("LD_DEBUG_OUTPUT=" + trace.file("ld"));
        more.push_back("SDL_AUDIODRIVER=dummy");
        return more;
    }
    std::vector<std::string> args(const std::string& program, std::vector<std::string> more) const {
        std::vector<std::string> a = {program, "--config-dir", config.path(), "--stats-server", "127.0.0.1:9"};
        a.insert(a.end(), more.begin(), more.end());
        return a;
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

std::vector<std::string> guiLibrariesIn(const std::set<std::string>& loaded) {
    std::vector<std::string> found;
    for (const auto& name : loaded)
        for (const auto& gui : kGuiLibraries)
            if (name.rfind(gui, 0) == 0) found.push_back(name);
    return found;
}

// The trace of a run worked when it lists the C library; then the run had
// none of the windows' libraries and not the module.
void expectWindowless(const TracedRun& run) {
    auto loaded = run.loaded();
    ASSERT_TRUE(loaded.count("libc.so.6")) << "the dynamic linker's trace is empty";
    EXPECT_EQ(guiLibrariesIn(loaded), std::vector<std::string>{});
    EXPECT_FALSE(loaded.count(kModule));
}

TEST(WindowlessModes, TheInformationOptionsAndAStationScriptLoadNoWindowLibrary) {
    const std::string script = std::string(TAILCHIME_SOURCE_DIR) + "/examples/example.tcs";
    const std::vector<std::vector<std::string>> modes = {
        {"--version"}, {"--help"}, {"--list-rigs"}, {"--headless", script, "--virtual-time"}};
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.front());
        TracedRun run;
        Child program(run.args(TAILCHIME_TEST_BIN, mode), run.env());
        ASSERT_EQ(program.wait(), 0) << program.err();
        EXPECT_NE(program.out(), "");
        expectWindowless(run);
    }
}

TEST(WindowlessModes, AStationWithARadioAndNoWindowLoadsNoWindowLibrary) {
    RigStandIn rig;
    TracedRun run;
    Child program(run.args(TAILCHIME_TEST_BIN, {"--no-window", "--host", "rig", "--rig-model", "2", "--rig-file",
                                                 rig.address()}),
                  run.env());
    ASSERT_TRUE(program.waitErr("radio \"radio open")) << program.err();
    program.signal(SIGTERM);
    ASSERT_EQ(program.wait(), 0) << program.err();
    expectWindowless(run);
}

#ifdef TAILCHIME_WINDOWS_MODULE

TEST(WindowsModule, TheWindowedProgramLoadsItAndShowsBothWindows) {
    TracedRun run;
    std::string shots = run.config.file("shots");
    Child program(run.args(TAILCHIME_TEST_BIN, {"--screenshot", shots}), run.env({"QT_QPA_PLATFORM=offscreen"}));
    ASSERT_EQ(program.wait(), 0) << program.err();
    for (const char* picture : {"main-window.png", "station-simulator.png"}) {
        std::error_code ec;
        EXPECT_GT(fs::file_size(shots + "/" + picture, ec), 0u) << picture << ": " << ec.message();
    }
    auto loaded = run.loaded();
    EXPECT_TRUE(loaded.count(kModule));
    EXPECT_TRUE(loaded.count("libQt6Widgets.so.6"));
    EXPECT_NE(guiLibrariesIn(loaded), std::vector<std::string>{});
}

TEST(WindowsModule, WithoutItTheWindowsAreRefusedInOneLineBeforeTheRadioIsTouched) {
    const std::string installed = std::string(TAILCHIME_MODULE_DIR) + "/" + kModule;
    if (fs::exists(installed)) GTEST_SKIP() << "the program is installed here: " << installed;
    // The program alone in a folder, without the module beside it.
    TempDir alone;
    std::string program = alone.file("tailchime");
    fs::copy_file(TAILCHIME_TEST_BIN, program);
    const std::string expected = "tailchime: cannot show the windows: cannot load " + installed + ": ";

    RigStandIn rig;
    for (const std::vector<std::string>& mode :
         {std::vector<std::string>{}, {"--host", "rig", "--rig-model", "2", "--rig-file", rig.address()}}) {
        SCOPED_TRACE(mode.empty() ? "the simulated station" : "a radio");
        TracedRun run;
        Child windowed(run.args(program, mode), run.env({"QT_QPA_PLATFORM=offscreen"}));
        EXPECT_EQ(windowed.wait(), 1);
        std::string err = windowed.err();
        EXPECT_EQ(err.rfind(expected, 0), 0u) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_EQ(guiLibrariesIn(run.loaded()), std::vector<std::string>{});
    }
    EXPECT_EQ(RigStandIn::find(rig.record(), "ptt 1"), -1);

    // What needs no windows runs as before.
    TracedRun headless;
    Child script(headless.args(program, {"--headless", std::string(TAILCHIME_SOURCE_DIR) + "/examples/example.tcs",
                                         "--virtual-time"}),
                 headless.env());
    EXPECT_EQ(script.wait(), 0) << script.err();
    EXPECT_NE(script.out().find(" cw \""), std::string::npos) << script.out();
}

#endif

}  // namespace
