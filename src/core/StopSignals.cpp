#include "core/StopSignals.h"

#include <atomic>
#include <csignal>
#include <utility>

#include "core/EventLoop.h"

namespace tc {

namespace {

volatile std::sig_atomic_t requested = 0;
// How the handler wakes a loop that waits for it, or null.
std::atomic<void (*)()> wakeLoop{nullptr};
static_assert(std::atomic<void (*)()>::is_always_lock_free, "read in a signal handler");

extern "C" void onStopSignal(int) {
    requested = 1;
    if (auto wake = wakeLoop.load()) wake();
}

}  // namespace

bool stopRequested() { return requested != 0; }

StopWatch::StopWatch(EventLoop& loop, std::function<bool()> onStop) : onStop_(std::move(onStop)) {
    timer_ = loop.newTimer(kLookMs, false);
    timer_->onTick = [this] { look(); };
    // Where the signal can wake the loop, an idle program is not woken twenty
    // times a second to look for nothing.
    auto wake = loop.wakeFromSignal([this] { look(); });
    watch_ = std::move(wake.watch);
    if (watch_) wakeLoop = wake.wake;
    if (!watch_ || stopRequested()) timer_->setEnabled(true);
    previousTerm_ = std::signal(SIGTERM, onStopSignal);
    previousInt_ = std::signal(SIGINT, onStopSignal);
}

StopWatch::~StopWatch() {
    std::signal(SIGTERM, previousTerm_);
    std::signal(SIGINT, previousInt_);
    wakeLoop = nullptr;
}

void StopWatch::look() {
    if (done_ || !stopRequested()) return;
    done_ = onStop_();
    // A stop that could not be done yet is tried again shortly.
    timer_->setEnabled(!done_);
}

}  // namespace tc
