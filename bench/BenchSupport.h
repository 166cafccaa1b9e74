#pragma once
// What the benchmarks share: a desktop that answers every box at once, and
// the machine's load printed beside each figure.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "core/Desktop.h"

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

// Five seconds of a tune as a MIDI file: ten notes of half a second on an
// organ, with a piano an octave below as a second voice when asked.
inline void writeTune(const std::string& path, bool secondVoice) {
    std::vector<unsigned char> track = {0x00, 0xc0, 19, 0x00, 0xc1, 0};  // organ, piano
    for (unsigned char n : {60, 62, 64, 65, 67, 69, 71, 72, 71, 69}) {
        const auto low = static_cast<unsigned char>(n - 12);
        track.insert(track.end(), {0x00, 0x90, n, 100});
        if (secondVoice) track.insert(track.end(), {0x00, 0x91, low, 90});
        track.insert(track.end(), {0x83, 0x60, 0x80, n, 0});
        if (secondVoice) track.insert(track.end(), {0x00, 0x81, low, 0});
    }
    track.insert(track.end(), {0x00, 0xff, 0x2f, 0x00});
    std::vector<unsigned char> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xe0, 'M', 'T', 'r', 'k'};
    const auto n = static_cast<unsigned>(track.size());
    file.insert(file.end(), {static_cast<unsigned char>(n >> 24), static_cast<unsigned char>(n >> 16),
                             static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)});
    file.insert(file.end(), track.begin(), track.end());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

// How late each of a timer's ticks came, in ms, against the schedule of the
// first (the loop re-arms a timer from its due time), from the earliest.
inline std::vector<double> lateness(const std::vector<std::chrono::steady_clock::time_point>& ticks, double periodMs) {
    std::vector<double> late;
    for (std::size_t n = 0; n < ticks.size(); ++n)
        late.push_back(std::chrono::duration<double, std::milli>(ticks[n] - ticks[0]).count() -
                       periodMs * static_cast<double>(n));
    const double least = late.empty() ? 0 : *std::min_element(late.begin(), late.end());
    for (double& l : late) l -= least;
    return late;
}

// "load 1.23": the one-minute load average, as /proc/loadavg gives it.
inline std::string load() {
    std::string one = "?";
    std::ifstream("/proc/loadavg") >> one;
    return "load " + one;
}

}  // namespace bench
