#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

// The built program run by a test, with a configuration folder of its own
// and the usage report pointed at a closed port on this machine.
struct ProgramRun {
    TempDir config;

    // A station script in the folder; its path.
    std::string script(const std::string& text) const {
        std::ofstream(config.file("station.tcs")) << text;
        return config.file("station.tcs");
    }
    void settings(const std::string& text) const { std::ofstream(config.file("tailchime.ini")) << text; }
    std::vector<std::string> args(const std::vector<std::string>& more,
                                  const std::string& program = TAILCHIME_TEST_BIN) const {
        std::vector<std::string> a = {program, "--config-dir", config.path(), "--stats-server", "127.0.0.1:9"};
        a.insert(a.end(), more.begin(), more.end());
        return a;
    }
};

// The lines of a program's output that hold the text, in order.
inline std::vector<std::string> linesWith(const std::string& output, const std::string& text) {
    std::vector<std::string> found;
    std::istringstream in(output);
    for (std::string l; std::getline(in, l);)
        if (l.find(text) != std::string::npos) found.push_back(l);
    return found;
}

// A copy of the program alone in a folder of its own, none of its modules
// beside it or installed with it; its path.
inline std::string loneProgram(const TempDir& dir) {
    std::filesystem::create_directory(dir.file("bin"));
    std::filesystem::copy_file(TAILCHIME_TEST_BIN, dir.file("bin/tailchime"));
    return dir.file("bin/tailchime");
}
