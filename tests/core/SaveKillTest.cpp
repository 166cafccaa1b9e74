// A save killed at any moment leaves the settings whole: the program is run
// under strace, which kills it at the n-th write, flush or rename, for every
// n a save reaches. What the kill leaves beside the file (the save's own
// temporary file, when the kill comes before its rename) is gone after the
// next start.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// The settings before the save, and after it: the script types new values
// into six fields, which the save rewrites in their lines.
const std::string kOld =
    "[SETTINGS]\nCOURTESYID=K\nIPCOURTESY=I\nHANGTIME=500\nKERCHUNKWAIT=2000\nRFTONE=/old/RF.wav\n"
    "INETTONE=/old/IP.wav\nVOLSET=-1540\nSPEEDSET=100\nOPTION1=True\nOPTION2=False\nCHECK1=1\nLEFT=300\nTOP=300\n";
const std::string kNew =
    "[SETTINGS]\nCOURTESYID=Q\nIPCOURTESY=N\nHANGTIME=750\nKERCHUNKWAIT=3000\nRFTONE=/new/RF.wav\n"
    "INETTONE=/new/IP.wav\nVOLSET=-1540\nSPEEDSET=100\nOPTION1=True\nOPTION2=False\nCHECK1=1\nLEFT=300\nTOP=300\n";

const char* const kScript =
    "at 100 type CourtesyID Q\n"
    "at 100 type IPCourtesy N\n"
    "at 100 type HangTime 750\n"
    "at 100 type KerchunkWait 3000\n"
    "at 100 type RFTone /new/RF.wav\n"
    "at 100 type InetTone /new/IP.wav\n"
    "at 200 click Command18\n"
    "at 300 end\n";

class SaveKill : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(scratch.file("save.tcs")) << kScript;
        std::ofstream(scratch.file("start.tcs")) << "at 0 end\n";
    }

    void writeOldSettings() {
        fs::remove_all(config());
        fs::create_directories(config());
        std::ofstream(config() + "/tailchime.ini") << kOld;
    }

    // Runs the save under strace with its options; the exit status.
    int run(const std::string& straceOptions, const char* script = "save.tcs") {
        // LeakSanitizer cannot work under strace: a sanitized build checks leaks elsewhere.
        std::string command = std::string("ASAN_OPTIONS=detect_leaks=0 ") +
                              (straceOptions.empty() ? "" : "strace -f -qq " + straceOptions + " ") +
                              TAILCHIME_TEST_BIN + " --headless " + scratch.file(script) +
                              " --virtual-time --stats-server 127.0.0.1:9 --config-dir " + config() + " >/dev/null 2>&1";
        return std::system(command.c_str());
    }

    // How often the save's run makes each of these calls.
    std::map<std::string, int> callCounts() {
        writeOldSettings();
        const std::string log = scratch.file("calls.log");
        EXPECT_EQ(run("-e trace=write,fsync,rename -o " + log), 0);
        std::map<std::string, int> counts;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);)
            for (const char* call : {"write(", "fsync(", "rename("})
                if (line.find(call) != std::string::npos) ++counts[std::string(call, std::string(call).size() - 1)];
        return counts;
    }

    std::string settingsNow() const { return readFile(config() + "/tailchime.ini"); }

    std::vector<std::string> filesInFolder() {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(config())) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string config() const { return scratch.file("station"); }
    TempDir scratch;
};

TEST_F(SaveKill, EveryKillLeavesAllOldOrAllNew) {
    ASSERT_EQ(std::system("strace -V >/dev/null 2>&1"), 0) << "strace is needed (scripts/setup.sh installs it)";
    auto counts = callCounts();
    EXPECT_EQ(settingsNow(), kNew) << "the save without a kill";
    ASSERT_EQ(counts["rename"], 1) << "a save is one replacement of the whole file";
    ASSERT_GE(counts["fsync"], 1);
    ASSERT_GE(counts["write"], 1);
    int newOnes = 0;
    for (const auto& [call, count] : counts) {
        for (int n = 1; n <= count; ++n) {
            writeOldSettings();
            run("-o /dev/null -e trace=" + call + " -e inject=" + call + ":signal=KILL:when=" + std::to_string(n));
            const std::string now = settingsNow();
            EXPECT_TRUE(now == kOld || now == kNew) << "killed at " << call << " #" << n << ":\n" << now;
            newOnes += now == kNew;
            EXPECT_EQ(run("", "start.tcs"), 0);
            EXPECT_EQ(settingsNow(), now);
            EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"tailchime.ini", "tailchime.lock"}))
                << "after the next start, killed at " << call << " #" << n;
        }
    }
    EXPECT_GE(newOnes, 1) << "a kill after the rename keeps the new settings";
}

}  // namespace
