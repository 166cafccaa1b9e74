#include "app/StopSignals.h"

#include <csignal>

#include "app/EventLoop.h"
#include "app/Form21.h"

namespace tc {

namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void onStopSignal(int) { requested = 1; }

void installOnce() {
    static const bool installed = [] {
        std::signal(SIGTERM, onStopSignal);
        std::signal(SIGINT, onStopSignal);
        return true;
    }();
    (void)installed;
}

}  // namespace

bool stopRequested() { return requested != 0; }

StopWatch::StopWatch(EventLoop& loop, std::function<void()> onStop) {
    installOnce();
    timer_ = loop.newTimer(kLookMs, true);
    timer_->onTick = [this, onStop = std::move(onStop)] {
        if (!stopRequested()) return;
        timer_->setEnabled(false);
        onStop();
    };
}

StopWatch::~StopWatch() = default;

void releaseAndClose(Form21& form) {
    try {
        form.EchoLink->SetPTT(false);
    } catch (const RuntimeError&) {
        // no host yet, or it failed: the close goes on all the same
    }
    form.closeRequest();
}

}  // namespace tc
