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

#include "core/IniText.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

using Values = std::map<std::string, std::string>;

const Values kOld = {{"COURTESYID", "K"},      {"IPCOURTESY", "I"},   {"HANGTIME", "500"}, {"KERCHUNKWAIT", "2000"},
                     {"RFTONE", "/old/RF.wav"}, {"INETTONE", "/old/IP.wav"}, {"VOLSET", "-1540"}, {"SPEEDSET", "100"},
                     {"OPTION1", "True"},      {"OPTION2", "False"},  {"CHECK1", "1"},     {"LEFT", "300"},
                     {"TOP", "300"}};

Values newValues() {
    Values v = kOld;
    for (const auto& [key, value] : Values{{"COURTESYID", "Q"}, {"IPCOURTESY", "N"}, {"HANGTIME", "750"},
                                           {"KERCHUNKWAIT", "3000"}, {"RFTONE", "/new/RF.wav"}, {"INETTONE", "/new/IP.wav"}})
        v[key] = value;
    return v;
}

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
        std::ofstream ini(config() + "/tailchime.ini");
        ini << "[SETTINGS]\n";
        for (const auto& [key, value] : kOld) ini << key << "=" << value << "\n";
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

    Values settingsNow() {
        tc::IniText ini(readFile(config() + "/tailchime.ini"));
        Values v;
        for (const auto& [key, value] : kOld)
            if (auto found = ini.value("SETTINGS", key)) v[key] = *found;
        return v;
    }

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
    EXPECT_EQ(settingsNow(), newValues()) << "the save without a kill";
    ASSERT_EQ(counts["rename"], 1) << "a save is one replacement of the whole file";
    ASSERT_GE(counts["fsync"], 1);
    ASSERT_GE(counts["write"], 1);
    int newOnes = 0;
    for (const auto& [call, count] : counts) {
        for (int n = 1; n <= count; ++n) {
            writeOldSettings();
            run("-o /dev/null -e trace=" + call + " -e inject=" + call + ":signal=KILL:when=" + std::to_string(n));
            const Values now = settingsNow();
            EXPECT_TRUE(now == kOld || now == newValues()) << "killed at " << call << " #" << n;
            newOnes += now == newValues();
            for (const std::string& name : filesInFolder())
                EXPECT_TRUE(name == "tailchime.ini" || name == "tailchime.lock" ||
                            name.rfind(".tailchime.ini.", 0) == 0)
                    << name << " after a kill at " << call << " #" << n;
            EXPECT_EQ(run("", "start.tcs"), 0);
            EXPECT_EQ(settingsNow(), now);
            EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"tailchime.ini", "tailchime.lock"}))
                << "after the next start, killed at " << call << " #" << n;
        }
    }
    EXPECT_GE(newOnes, 1) << "a kill after the rename keeps the new settings";
}

}  // namespace
