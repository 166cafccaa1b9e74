#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hostlink/HostLink.h"
#include "hostlink/StationListener.h"
#include "hostlink/RigConfig.h"

namespace tc {

class EventLoop;
class RigDevice;
class Timer;

// A radio as the station's host, through Hamlib. The logic's calls never
// wait for the radio: they note what the logic wants and return, and the
// radio's own thread tells the radio only what has changed (a slow CAT line
// is not flooded by the 100 ms ticks), reads the carrier every 40 ms (or as
// soon as the radio has answered the last read) and
// hands each change back to the logic thread as a CarrierDetect event.
//
// Fail-safe: a radio that is missing, unplugged or silent is reported
// once, its carrier counts as absent, and it is opened again after a pause
// that grows up to half a minute; the first thing a reopened radio hears
// is whether it should be keyed, so a transmitter left keyed by a dropped
// line is released as soon as the radio can hear it. With a time-out set,
// a transmission that runs longer is released and stays released until
// the logic releases it too. A stop signal releases the transmitter from
// the radio's thread at once. There is no RX and no chat on a radio.
class RigStation : public HostLink, public HostLinkFactory {
public:
    // Sounds a text in Morse on the output wired to the radio (the tone the
    // station keys itself when the radio has no keyer); false when there
    // is no sound output.
    using CwVoice = std::function<bool(const std::string& text, int wpm)>;

    static constexpr int kPollMs = 40;
    static constexpr int kDeliverMs = 20;
    static constexpr int kFirstPauseMs = 1000;
    static constexpr int kLongestPauseMs = 30000;
    // Sound output's own delay: the transmitter stays keyed this much longer
    // than the Morse, so its last element is not cut.
    static constexpr int kCwTailMs = 150;

    // Throws RigError when Hamlib refuses the configuration.
    RigStation(EventLoop& loop, RigConfig config, CwVoice voice);
    ~RigStation() override;

    void addListener(StationListener* l) { listeners_.push_back(l); }

    // HostLinkFactory: every object is a handle on this one radio.
    std::shared_ptr<HostLink> CreateObject() override;

    // HostLink.
    void SetPTT(bool keyed) override;
    bool GetPTT() override { return keyed_; }
    bool GetCarrierDetect() override { return carrier_; }
    void SendCW(int mode, const std::string& text) override;
    StationInfo GetStationInfo() override { return {config_.callsign}; }
    void SendChatText(const std::string& text) override;
    void Advise(HostEvents* sink) override { sink_ = sink; }

private:
    // What the radio's thread hands to the logic thread.
    struct News {
        enum class Kind { Carrier, CwKeyed, TimedOut, Notice } kind;
        bool on = false;
        std::string text;
    };
    using Clock = std::chrono::steady_clock;

    // Logic thread.
    void deliver();
    void updateKeying();

    // Radio thread.
    void serve();
    void openRadio(int& pauseMs);
    void cycle();
    void keyAsWanted(bool want, bool released, Clock::time_point now);
    void sendQueuedMorse(Clock::time_point now);
    void readCarrier();
    void lose(const std::string& why, int& pauseMs);
    void dropMorse(const std::string& why);
    void rest(int ms);
    void tell(News news);
    void releaseAndClose();

    EventLoop& loop_;
    const RigConfig config_;
    CwVoice voice_;
    std::unique_ptr<Timer> delivery_;
    std::vector<StationListener*> listeners_;
    HostEvents* sink_ = nullptr;

    // The logic thread's view, changed only there.
    bool ptt_ = false;       // as the logic keys it
    bool cwKeyed_ = false;   // the station keys its own Morse
    bool timedOut_ = false;  // the time-out released the transmitter
    bool keyed_ = false;     // what GetPTT reports
    bool carrier_ = false;

    // Shared between the threads.
    std::mutex mutex_;
    std::condition_variable wake_;
    bool quit_ = false;
    bool wantPtt_ = false;
    unsigned long releases_ = 0;  // how often the logic has released
    std::deque<std::string> morse_;
    std::vector<News> news_;

    // The radio's thread alone.
    std::unique_ptr<RigDevice> device_;
    int sentPtt_ = -1;             // what the radio was last told: -1 unknown, 0 released, 1 keyed
    bool heard_ = false;           // the carrier as last read
    bool carrierUnknown_ = false;  // the radio cannot report its carrier (said once)
    Clock::time_point keyedSince_{};
    unsigned long seenReleases_ = 0;
    bool toldWant_ = false;  // the logic's keying as the last cycle took it
    bool wantSeen_ = false;  // the same, less a stop request
    bool timeoutLatched_ = false;
    Clock::time_point cwUntil_{};
    bool cwActive_ = false;
    std::thread thread_;
};

}  // namespace tc
