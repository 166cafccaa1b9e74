#pragma once
#include <functional>
#include <memory>

namespace tc {

class EventLoop;
class Timer;
class Watch;

// SIGTERM and SIGINT ask the station to stop. The signal itself only marks
// the request; whatever must happen runs on the logic thread from a watch
// on the loop, and any thread that holds the transmitter (a radio's own
// thread) can see the request at once through stopRequested().
bool stopRequested();

// Handles the two signals while it lives (the handling before it comes back
// afterwards) and, soon after the first of them, calls onStop on the loop's
// thread until it returns true (it has done what a stop does).
class StopWatch {
public:
    StopWatch(EventLoop& loop, std::function<bool()> onStop);
    ~StopWatch();
    StopWatch(const StopWatch&) = delete;
    StopWatch& operator=(const StopWatch&) = delete;

    // How often the watch looks on a loop that the signal cannot wake, or
    // again after a stop that could not be done yet: well inside one tick
    // of the 100 ms timers.
    static constexpr int kLookMs = 50;

private:
    void look();

    using Handler = void (*)(int);
    std::function<bool()> onStop_;
    std::unique_ptr<Timer> timer_;
    std::unique_ptr<Watch> watch_;
    bool done_ = false;
    Handler previousTerm_;
    Handler previousInt_;
};

}  // namespace tc
