#pragma once
#include <cstdint>
#include <functional>
#include <memory>

namespace tc {

// A window timer. Enabling a running timer changes nothing (its countdown
// goes on); setting the interval of a running timer restarts its countdown
// with the new interval. An interval of 0 never ticks.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setEnabled(bool on) = 0;
    virtual bool enabled() const = 0;
    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;

    std::function<void()> onTick;
};

// Something a loop watches for its owner for as long as it lives.
class Watch {
public:
    virtual ~Watch() = default;
};

// Who runs at the same millisecond, first to last.
enum class Lane {
    Device = 0,    // the host's and the player's own doings (end of CW, end of a file)
    Outside = 1,   // what the outside world does (host events, the operator)
    Timers = 2,    // timer ticks
};

// The one logic thread's clock and event source: timers, and one-off
// events posted by the adapters. Time is in milliseconds from start.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    virtual std::int64_t nowMs() const = 0;
    virtual std::unique_ptr<Timer> newTimer(int intervalMs, bool enabled) = 0;
    // Runs fn on the logic thread at atMs (or as soon after as possible).
    virtual void post(std::int64_t atMs, Lane lane, std::function<void()> fn) = 0;
    // Runs whatever is already due, once; used by loops that wait for the network.
    virtual void processPendingEvents() = 0;
    // A way for a signal handler to wake the loop: while `watch` lives, a
    // call of `wake` (safe in a signal handler) makes onWake run on the
    // logic thread. A loop that cannot be woken so gives neither: the caller
    // looks for itself, on a timer.
    struct SignalWake {
        std::unique_ptr<Watch> watch;
        void (*wake)() = nullptr;
    };
    virtual SignalWake wakeFromSignal(std::function<void()> /*onWake*/) { return {}; }
};

}  // namespace tc
