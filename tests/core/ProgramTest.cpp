// The program as an operator runs it: the example station scripts shipped
// with it, its options and its exit status.
#include <gtest/gtest.h>

#include <fstream>

#include "support/Child.h"
#include "support/ProgramRun.h"

namespace {

struct Result {
    int status = -1;
    std::string out;  // standard output, then standard error
};

Result program(const std::vector<std::string>& args, const std::string& binary = TAILCHIME_TEST_BIN) {
    ProgramRun run;
    Child child(run.args(args, binary));
    const int status = child.wait();
    return {status, child.out() + child.err()};
}

std::string example(const char* name) { return std::string(TAILCHIME_SOURCE_DIR) + "/examples/" + name; }

// Each example runs without a message and gives its documented lines (here
// "\n" marks a line's start or end), with so many CW idents.
TEST(Program, ShippedExamplesGiveTheDocumentedLines) {
    struct Case {
        const char* name;
        std::vector<std::string> parts;
        size_t idents;
    };
    for (const Case& c :
         {Case{"example.tcs",
               {"\n6500 cw \"K\"\n", "\n7000 show Kerchunk \"Kerchunker Set\" buttonface\n", "\n9500 cw \"I\"\n",
                "\n9600 chat \"Tailchime  v2.0.1\"\n", "\n0 report \"Callsign=W1AW-R&Program=Tailchime&Ver=2.0.1\"\n"},
               2},
          Case{"kerchunk.tcs", {"\n12500 cw \"K\"\n"}, 1},  // only the counted over
          Case{"audio-ident.tcs", {"\n8000 play \"", "volume=-600 rate=1.5\n"}, 0}, Case{"hang-time.tcs", {}, 1}}) {
        SCOPED_TRACE(c.name);
        auto r = program({"--headless", example(c.name), "--virtual-time"});
        EXPECT_EQ(r.status, 0) << r.out;
        const std::string out = "\n" + r.out;
        for (const auto& part : c.parts) EXPECT_NE(out.find(part), std::string::npos) << part << out;
        EXPECT_EQ(linesWith(out, " cw \"").size(), c.idents) << out;
        EXPECT_EQ(out.find("message"), std::string::npos) << out;
        EXPECT_EQ(out.find(" exit"), std::string::npos) << "end stops the run without the program" << out;
    }
}

TEST(Program, CallsignOptionAndScriptLine) {
    TempDir scratch;
    std::ofstream(scratch.file("s.tcs")) << "at 0 end\n";
    auto r = program({"--headless", scratch.file("s.tcs"), "--virtual-time", "--callsign", "G4XYZ-L"});
    EXPECT_NE(r.out.find("0 caption \"Tailchime    G4XYZ-L   v2.0.1\"\n"), std::string::npos) << r.out;
}

TEST(Program, BadCommandLinesAreRefused) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--headless"}, {"--loud"},
                                                 {"--headless", "x.tcs", "--stats-server", "bad/host"}})
        EXPECT_EQ(program(args).status, 2) << args.back();
    auto missing = program({"--headless", "/nonexistent/station.tcs", "--virtual-time"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.out.find("/nonexistent/station.tcs: cannot read the script"), std::string::npos) << missing.out;
}

TEST(Program, WithoutItsSoundOutputAStationTellsTheOperatorAndNeverStaysKeyed) {
    TempDir lone;
    auto r = program({"--headless", example("audio-ident.tcs")}, loneProgram(lone));  // on the real clock
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("tailchime: no sound output: "), std::string::npos) << r.out;
    // Both idents fail to render; each is told, and the transmitter drops after the last.
    EXPECT_EQ(linesWith(r.out, "\"Render error no rendering device found. Select an Audio file\"").size(), 2u) << r.out;
    EXPECT_GT(r.out.rfind(" tx off"), r.out.rfind("Render error")) << r.out;
    EXPECT_GT(r.out.rfind(" tx off"), r.out.rfind(" tx on")) << r.out;
    EXPECT_NE(r.out.find("show PTT \"PTT OFF\""), std::string::npos) << r.out;
}

}  // namespace
