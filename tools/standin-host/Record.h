#pragma once
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

#include "hostlink/SimulatedStation.h"

namespace standin {

// The stand-in's record of everything done to it and by it, one line per
// event in the headless transcript's form ("T WORD ARGS", T in ms from the
// first object's creation): the calls of its clients with the exact types
// of their arguments, the events it raises, and what its station does on
// the air (tx on/off, cw, chat), so that a session's record compares line
// for line with the simulated station's transcript of the same timeline.
class Record final : public tc::HostListener {
public:
    Record(const std::string& path, std::function<std::int64_t()> clock);

    // From now on times count from here.
    void startClock() { origin_ = clock_(); }
    void line(const std::string& rest);

    void transmitterChanged(bool keyed) override { line(keyed ? "tx on" : "tx off"); }
    void cwSent(const std::string& text) override;
    void chatSent(const std::string& text) override;

private:
    std::ofstream file_;
    std::function<std::int64_t()> clock_;
    std::int64_t origin_ = 0;
};

}  // namespace standin
