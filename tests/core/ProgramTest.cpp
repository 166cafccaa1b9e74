// The program as an operator runs it: the example station scripts shipped
// with it, its options and its exit status.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <sys/wait.h>

#include "support/ScriptRun.h"

namespace {

struct Result {
    int status = -1;
    std::string out;
};

// Runs the built program with a fresh configuration folder and the usage
// report pointed at a closed port on this machine.
Result program(const std::string& args, const std::string& binary = TAILCHIME_TEST_BIN) {
    TempDir config;
    std::string command = binary + " " + args + " --config-dir " + config.path() +
                          " --stats-server 127.0.0.1:9 2>&1";
    Result r;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buf;
    while (size_t n = fread(buf.data(), 1, buf.size(), pipe)) r.out.append(buf.data(), n);
    int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string example(const char* name) { return std::string(TAILCHIME_SOURCE_DIR) + "/examples/" + name; }

bool hasLine(const std::string& out, const std::string& line) {
    return ("\n" + out).find("\n" + line + "\n") != std::string::npos;
}

TEST(Program, ExampleScriptGivesTheDocumentedLines) {
    auto r = program("--headless " + example("example.tcs") + " --virtual-time");
    EXPECT_EQ(r.status, 0) << r.out;
    for (const char* line : {"6500 cw \"K\"", "7000 show Kerchunk \"Kerchunker Set\" buttonface", "9500 cw \"I\"",
                             "9600 chat \"Tailchime  v2.0.1\"", "0 report \"Callsign=W1AW-R&Program=Tailchime&Ver=2.0.1\""})
        EXPECT_TRUE(hasLine(r.out, line)) << line << "\n" << r.out;
    EXPECT_EQ(r.out.find(" cw ", r.out.find(" cw ") + 1), r.out.rfind(" cw ")) << "two idents alone\n" << r.out;
    EXPECT_EQ(r.out.find(" exit"), std::string::npos) << "end stops the run without the program\n" << r.out;
}

TEST(Program, ShippedExamplesRun) {
    for (const char* name : {"kerchunk.tcs", "audio-ident.tcs", "hang-time.tcs"}) {
        auto r = program("--headless " + example(name) + " --virtual-time --trace");
        EXPECT_EQ(r.status, 0) << name << "\n" << r.out;
        EXPECT_EQ(r.out.find("message"), std::string::npos) << name << "\n" << r.out;
    }
    auto kerchunk = program("--headless " + example("kerchunk.tcs") + " --virtual-time");
    EXPECT_TRUE(hasLine(kerchunk.out, "12500 cw \"K\"")) << kerchunk.out;
    EXPECT_EQ(kerchunk.out.find(" cw "), kerchunk.out.rfind(" cw ")) << "only the counted over\n" << kerchunk.out;
    auto audio = program("--headless " + example("audio-ident.tcs") + " --virtual-time");
    EXPECT_NE(audio.out.find("8000 play \""), std::string::npos) << audio.out;
    EXPECT_NE(audio.out.find("volume=-600 rate=1.5"), std::string::npos) << audio.out;
}

TEST(Program, CallsignOptionAndScriptLine) {
    TempDir scratch;
    std::ofstream(scratch.file("s.tcs")) << "at 0 end\n";
    auto r = program("--headless " + scratch.file("s.tcs") + " --virtual-time --callsign G4XYZ-L");
    EXPECT_TRUE(hasLine(r.out, "0 caption \"Tailchime    G4XYZ-L   v2.0.1\"")) << r.out;
}

TEST(Program, BadCommandLinesAreRefused) {
    EXPECT_EQ(program("--headless").status, 2);
    EXPECT_EQ(program("--loud").status, 2);
    EXPECT_EQ(program("--headless x.tcs --stats-server bad/host").status, 2);
    auto missing = program("--headless /nonexistent/station.tcs --virtual-time");
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.out.find("/nonexistent/station.tcs: cannot read the script"), std::string::npos) << missing.out;
}

}  // namespace

namespace {

// A copy of the program with none of its modules beside it or installed
// with it.
struct LoneProgram {
    TempDir dir;
    std::string path = dir.file("bin/tailchime");
    LoneProgram() {
        std::filesystem::create_directory(dir.file("bin"));
        std::filesystem::copy_file(TAILCHIME_TEST_BIN, path);
    }
};

}  // namespace

TEST(Program, WithoutItsSoundOutputAStationTellsTheOperatorAndNeverStaysKeyed) {
    LoneProgram lone;
    auto r = program("--headless " + example("audio-ident.tcs"), lone.path);  // on the real clock
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("tailchime: no sound output: "), std::string::npos) << r.out;
    // Both idents fail to render; each is told and the transmitter drops.
    std::size_t told = 0, at = 0;
    while ((at = r.out.find("\"Render error no rendering device found. Select an Audio file\"", at)) !=
           std::string::npos) {
        ++told;
        EXPECT_NE(r.out.find(" tx off", at), std::string::npos) << r.out;
        ++at;
    }
    EXPECT_EQ(told, 2u) << r.out;
    EXPECT_GT(r.out.rfind(" tx off"), r.out.rfind(" tx on")) << r.out;
    EXPECT_NE(r.out.find("show PTT \"PTT OFF\""), std::string::npos) << r.out;
}
