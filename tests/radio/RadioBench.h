#pragma once
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/StationLoop.h"
#include "hostlink/hamlib/RigStation.h"
#include "radio/RigStandIn.h"
#include "support/Child.h"

// Hears what the radio host reports to the logic thread: its events and
// what it tells its listeners, in order.
struct Heard : tc::HostEvents, tc::HostListener {
    std::vector<std::string> events;
    void RX(bool on) override { events.push_back(on ? "rx on" : "rx off"); }
    void CarrierDetect(bool on) override { events.push_back(on ? "event carrier up" : "event carrier down"); }
    void Closing() override { events.push_back("closing"); }
    void ChatTextReceived(const std::string& t) override { events.push_back("chat " + t); }
    void transmitterChanged(bool keyed) override { events.push_back(keyed ? "tx on" : "tx off"); }
    void cwSent(const std::string& t) override { events.push_back("cw " + t); }
    void radioNotice(const tc::event::Radio& n) override { events.push_back("notice " + n.text); }

    // The events that start with one of the prefixes, in order.
    std::vector<std::string> only(std::initializer_list<const char*> prefixes) const {
        std::vector<std::string> out;
        for (const auto& e : events)
            for (const char* p : prefixes)
                if (e.rfind(p, 0) == 0) {
                    out.push_back(e);
                    break;
                }
        return out;
    }
    bool has(const std::string& start) const {
        for (const auto& e : events)
            if (e.rfind(start, 0) == 0) return true;
        return false;
    }
};

// A radio host on the real Hamlib client, talking to a stand-in rigctld,
// with the logic thread's loop on real time run by the test itself.
struct RadioBench {
    tc::StationLoop loop{tc::StationLoop::Pace::Real};
    RigStandIn rig;
    Heard heard;
    std::mutex voicedMutex;  // the radio's thread sounds the Morse
    std::vector<std::string> voiced;
    std::unique_ptr<tc::RigStation> station;

    explicit RadioBench(int txTimeoutS = 0, bool listening = true) : rig(listening) {
        tc::RigConfig c;
        c.model = 2;
        c.file = rig.address();
        c.callsign = "W1AW-R";
        c.txTimeoutS = txTimeoutS;
        station = std::make_unique<tc::RigStation>(loop, c, [this](const std::string& text, int wpm) {
            std::lock_guard<std::mutex> lock(voicedMutex);
            voiced.push_back(text + " at " + std::to_string(wpm));
            return true;
        });
        station->addListener(&heard);
        station->Advise(&heard);
    }

    std::vector<std::string> voicedSoFar() {
        std::lock_guard<std::mutex> lock(voicedMutex);
        return voiced;
    }

    // Runs the logic thread until done() holds; false after the guard time.
    bool runUntil(const std::function<bool()>& done) {
        return eventually([&] { return done() || (loop.runUntil(loop.nowMs() + 10), false); }, {});
    }
    bool runUntilHeard(const std::string& start) {
        return runUntil([&] { return heard.has(start); });
    }
    // Runs the logic thread while the stand-in's record grows to satisfy pred.
    bool runUntilRig(const std::function<bool(const std::vector<std::string>&)>& pred) {
        return runUntil([&] { return pred(rig.record()); });
    }
    bool runUntilRigHas(const std::string& line, int after = -1) {
        return runUntilRig([&](const auto& r) { return RigStandIn::find(r, line, after) >= 0; });
    }
};
