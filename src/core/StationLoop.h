#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <queue>
#include <vector>

#include "core/EventLoop.h"

namespace tc {

// The logic thread's loop for the headless runner, the tests and the
// benchmarks. On virtual time the clock jumps from event to event, so a
// day of station traffic runs in moments; on real time it waits for the
// wall clock. Events due at the same millisecond run lane by lane (the
// devices' own doings, then the outside world, then timer ticks) and,
// within a lane, in the order they were posted or armed.
class StationLoop : public EventLoop {
public:
    enum class Pace { Virtual, Real };

    explicit StationLoop(Pace pace = Pace::Virtual);
    ~StationLoop() override;

    std::int64_t nowMs() const override;
    std::unique_ptr<Timer> newTimer(int intervalMs, bool enabled) override;
    void post(std::int64_t atMs, Lane lane, std::function<void()> fn) override;
    void processPendingEvents() override;

    // Runs events until untilMs has been reached, stop() was called, or
    // nothing is left to run before untilMs.
    void runUntil(std::int64_t untilMs);
    void stop() { stopped_ = true; }

    struct TimerState;

private:
    struct Entry {
        std::int64_t at;
        int lane;
        std::uint64_t seq;
        std::shared_ptr<TimerState> timer;  // a timer's tick, or
        std::uint64_t generation;
        std::function<void()> fn;  // a posted event
    };
    struct Later {
        bool operator()(const Entry& a, const Entry& b) const {
            if (a.at != b.at) return a.at > b.at;
            if (a.lane != b.lane) return a.lane > b.lane;
            return a.seq > b.seq;
        }
    };
    friend class LoopTimer;

    void arm(const std::shared_ptr<TimerState>& timer, std::int64_t at);
    bool runNext(std::int64_t limit);
    std::int64_t wallMs() const;

    Pace pace_;
    std::chrono::steady_clock::time_point start_;
    std::int64_t virtualNow_ = 0;
    std::uint64_t seq_ = 0;
    bool stopped_ = false;
    std::priority_queue<Entry, std::vector<Entry>, Later> queue_;
};

}  // namespace tc
