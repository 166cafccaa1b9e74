#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/posix/IniProfile.h"
#include "program/ToneFiles.h"
#include "program/headless/Runner.h"
#include "support/TempDir.h"
#include "transmit/sound/AudioFactories.h"

// Runs a station script on virtual time, as `tailchime --headless SCRIPT
// --virtual-time` does, with the configuration folder given (a fresh one
// by default) and no usage report.
using Lines = std::vector<std::string>;

struct ScriptRun {
    int status = 0;
    std::string out;
    std::string err;

    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        std::istringstream in(out);
        for (std::string l; std::getline(in, l);) result.push_back(l);
        return result;
    }
    bool has(const std::string& line) const { return std::ranges::count(lines(), line) > 0; }
    // Those of the expected lines the transcript lacks, in their order.
    std::vector<std::string> missing(const std::vector<std::string>& expected) const {
        std::vector<std::string> result;
        std::ranges::copy_if(expected, std::back_inserter(result), [this](const std::string& l) { return !has(l); });
        return result;
    }
    // Lines whose text after the time starts with these words.
    std::vector<std::string> linesOf(const std::string& word) const {
        std::vector<std::string> result;
        for (const auto& l : lines()) {
            auto space = l.find(' ');
            if (space == std::string::npos || l.compare(space + 1, word.size(), word) != 0) continue;
            size_t after = space + 1 + word.size();
            if (after == l.size() || l[after] == ' ') result.push_back(l);
        }
        return result;
    }
};

struct ScriptOptions {
    bool trace = false;
    std::function<bool(const std::string&)> previousInstance{};
    std::function<tc::ReportSender(tc::EventLoop&)> report{};
    tc::Platform::Supervise supervise{};  // the history, where a test keeps it
};

// The script is run from a file of its own, station.tcs.
inline ScriptRun runScript(const std::string& script, const std::string& configDir, ScriptOptions o = {}) {
    TempDir scratch;
    std::ofstream(scratch.file("station.tcs")) << script;
    tc::Platform platform;
    platform.audio = [](tc::EventLoop& loop, tc::PlaybackListener* listener, bool) {
        return tc::makeVirtualAudio(loop, listener);
    };
    platform.previousInstance = o.previousInstance;
    platform.profile = [](const std::string& dir) { return std::make_unique<tc::IniProfile>(dir + "/tailchime.ini"); };
    platform.report = o.report;
    platform.supervise = o.supervise;
    platform.rfToneDefault = tc::defaultTone("RF.wav");
    platform.inetToneDefault = tc::defaultTone("IP.wav");
    tc::HeadlessOptions options;
    options.scriptPath = scratch.file("station.tcs");
    options.virtualTime = true;
    options.configDir = configDir;
    options.trace = o.trace;
    std::ostringstream out, err;
    ScriptRun run;
    run.status = tc::runHeadless(options, platform, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// A test of station scripts, each run in the test's own configuration folder.
// A `show` statement may end in " -> VALUE": the run gets the statement
// without it, and its transcript must answer the statement with VALUE.
class StationScript : public ::testing::Test {
protected:
    ScriptRun run(const std::string& script, ScriptOptions o = {}) {
        std::string statements;
        Lines answers;
        std::istringstream in(script);
        for (std::string l; std::getline(in, l);) {
            const auto arrow = l.find(" -> ");
            if (arrow != std::string::npos) answers.push_back(l.substr(3, arrow - 3) + " " + l.substr(arrow + 4));
            statements += l.substr(0, arrow) + "\n";
        }
        ScriptRun r = runScript(statements, config.path(), o);
        EXPECT_EQ(r.missing(answers), Lines{}) << r.out;
        return r;
    }
    TempDir config;
    TempDir tones;  // for the sound files a test writes
};

// The transcript holds every one of the lines; those it lacks are shown, with it.
#define EXPECT_LINES(run, ...) EXPECT_EQ((run).missing(__VA_ARGS__), Lines{}) << (run).out
