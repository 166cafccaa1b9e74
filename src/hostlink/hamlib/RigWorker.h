#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "core/StationEvents.h"
#include "hostlink/RigConfig.h"
#include "hostlink/hamlib/RigOrders.h"

namespace tc {

class RigDevice;

// What the radio's thread tells the logic thread.
struct RigNews {
    enum class Kind { Carrier, CwKeyed, TimedOut, Notice } kind;
    bool on = false;
    std::string text;
    event::Radio::Kind news = event::Radio::Note;  // a notice's kind
};

// The radio's own thread: it tells the radio only what has changed (a slow
// CAT line is not flooded by the 100 ms ticks), reads the carrier every
// 40 ms (or as soon as the radio has answered the last read), keys and
// sounds Morse for a radio without a keyer, and reports every change.
//
// Fail-safe: a radio that is missing, unplugged or silent is reported
// once, its carrier counts as absent, and it is opened again after a pause
// that grows up to half a minute; the first thing a reopened radio hears
// is whether it should be keyed, so a transmitter left keyed by a dropped
// line is released as soon as the radio can hear it. With a time-out set,
// a transmission that runs longer is released and stays released until
// the logic releases it too. A stop signal releases the transmitter at
// once, and the end releases it before the radio is closed.
class RigWorker {
public:
    // Sounds a text in Morse on the output wired to the radio; false when
    // there is no sound output.
    using CwVoice = std::function<bool(const std::string& text, int wpm)>;
    using Tell = std::function<void(RigNews)>;

    static constexpr int kPollMs = 40;
    static constexpr int kFirstPauseMs = 1000;
    static constexpr int kLongestPauseMs = 30000;
    // Sound output's own delay: the transmitter stays keyed this much longer
    // than the Morse, so its last element is not cut.
    static constexpr int kCwTailMs = 150;

    // Starts the thread; throws RigError when Hamlib refuses the configuration.
    RigWorker(const RigConfig& config, RigOrders& orders, CwVoice voice, Tell tell);
    // Ends the thread (the orders' end must have been given).
    ~RigWorker();

private:
    using Clock = std::chrono::steady_clock;

    void serve();
    void openRadio(int& pauseMs);
    void cycle();
    void keyAsWanted(RigOrders::Keying keying, Clock::time_point now);
    void sendQueuedMorse(Clock::time_point now);
    void readCarrier();
    void lose(const std::string& why, int& pauseMs);
    void dropMorse(const std::string& why);
    void releaseAndClose();
    void notice(std::string text, event::Radio::Kind news = event::Radio::Note) {
        tell_({RigNews::Kind::Notice, false, std::move(text), news});
    }

    const RigConfig& config_;
    RigOrders& orders_;
    CwVoice voice_;
    Tell tell_;
    std::unique_ptr<RigDevice> device_;
    int sentPtt_ = -1;             // what the radio was last told: -1 unknown, 0 released, 1 keyed
    bool heard_ = false;           // the carrier as last read
    bool carrierUnknown_ = false;  // the radio cannot report its carrier (said once)
    Clock::time_point keyedSince_{};
    bool wantSeen_ = false;  // the logic's keying as the last cycle took it, less a stop request
    bool timeoutLatched_ = false;
    Clock::time_point cwUntil_{};
    bool cwActive_ = false;
    std::thread thread_;
};

}  // namespace tc
