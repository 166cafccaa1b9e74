#pragma once
// What the benchmarks share: a desktop that answers every box at once, and
// the machine's load printed beside each figure.
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "ui/Desktop.h"

namespace bench {

class QuietDesktop : public tc::Desktop {
public:
    int messages = 0;
    void MsgBox(const std::string&, int, const std::string&) override { ++messages; }
    std::optional<std::string> ShowOpen(const std::string&, const std::string&) override { return std::nullopt; }
    bool PreviousInstance() override { return false; }
    void OpenLink(const std::string&) override {}
    void ShowAbout(tc::Form14&) override {}
    void Ended() override {}
};

// "load 1.23": the one-minute load average, as /proc/loadavg gives it.
inline std::string load() {
    std::string one = "?";
    std::ifstream("/proc/loadavg") >> one;
    return "load " + one;
}

}  // namespace bench
