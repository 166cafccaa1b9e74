#include "core/StationLoop.h"

#include <thread>

namespace tc {

struct StationLoop::TimerState {
    bool enabled = false;
    int interval = 0;
    std::int64_t dueAt = 0;
    std::uint64_t generation = 0;  // bumped whenever pending ticks become stale
    Timer* owner = nullptr;        // null once the timer is gone
};

class LoopTimer : public Timer {
public:
    LoopTimer(StationLoop& loop, int interval, bool enabled)
        : loop_(loop), state_(std::make_shared<StationLoop::TimerState>()) {
        state_->owner = this;
        state_->interval = interval;
        setEnabled(enabled);
    }
    ~LoopTimer() override { state_->owner = nullptr; }

    void setEnabled(bool on) override {
        if (on == state_->enabled) return;  // enabling a running timer changes nothing
        state_->enabled = on;
        if (on)
            restart();
        else
            ++state_->generation;
    }
    bool enabled() const override { return state_->enabled; }
    void setInterval(int ms) override {
        state_->interval = ms;
        if (state_->enabled) restart();
    }
    int interval() const override { return state_->interval; }

private:
    void restart() {
        ++state_->generation;
        if (state_->interval > 0) loop_.arm(state_, loop_.nowMs() + state_->interval);
    }

    StationLoop& loop_;
    std::shared_ptr<StationLoop::TimerState> state_;
};

StationLoop::StationLoop(Pace pace) : pace_(pace), start_(std::chrono::steady_clock::now()) {}

StationLoop::~StationLoop() = default;

std::int64_t StationLoop::wallMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
}

std::int64_t StationLoop::nowMs() const { return pace_ == Pace::Virtual ? virtualNow_ : wallMs(); }

std::unique_ptr<Timer> StationLoop::newTimer(int intervalMs, bool enabled) {
    return std::make_unique<LoopTimer>(*this, intervalMs, enabled);
}

void StationLoop::arm(const std::shared_ptr<TimerState>& timer, std::int64_t at) {
    timer->dueAt = at;
    queue_.push(Entry{at, static_cast<int>(Lane::Timers), seq_++, timer, timer->generation, {}});
}

void StationLoop::post(std::int64_t atMs, Lane lane, std::function<void()> fn) {
    queue_.push(Entry{atMs, static_cast<int>(lane), seq_++, nullptr, 0, std::move(fn)});
}

bool StationLoop::runNext(std::int64_t limit) {
    while (!queue_.empty() && !stopped_) {
        if (queue_.top().at > limit) return false;
        Entry e = queue_.top();
        queue_.pop();
        if (e.timer && (e.generation != e.timer->generation || !e.timer->owner)) continue;  // stale tick
        if (pace_ == Pace::Virtual) {
            if (e.at > virtualNow_) virtualNow_ = e.at;
        } else if (e.at > wallMs()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(e.at - wallMs()));
        }
        if (e.timer) {
            // Re-arm before the tick, so that the tick may stop or restart it.
            std::int64_t next = e.at + e.timer->interval;
            if (next <= nowMs()) next = nowMs() + e.timer->interval;  // fell behind: skip, don't pile up
            arm(e.timer, next);
            if (e.timer->owner->onTick) e.timer->owner->onTick();
        } else {
            e.fn();
        }
        return true;
    }
    return false;
}

void StationLoop::processPendingEvents() {
    // Only what is due now: on virtual time the clock does not move here.
    std::int64_t now = nowMs();
    while (runNext(now)) {
    }
}

void StationLoop::runUntil(std::int64_t untilMs) {
    while (runNext(untilMs)) {
    }
    if (!stopped_ && pace_ == Pace::Virtual && virtualNow_ < untilMs) virtualNow_ = untilMs;
    if (!stopped_ && pace_ == Pace::Real && wallMs() < untilMs)
        std::this_thread::sleep_for(std::chrono::milliseconds(untilMs - wallMs()));
}

}  // namespace tc
