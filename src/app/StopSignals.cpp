#include "app/StopSignals.h"

#include <csignal>

#include "app/EventLoop.h"
#include "app/Form21.h"

namespace tc {

namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void onStopSignal(int) { requested = 1; }

}  // namespace

bool stopRequested() { return requested != 0; }

StopWatch::StopWatch(EventLoop& loop, std::function<bool()> onStop)
    : previousTerm_(std::signal(SIGTERM, onStopSignal)), previousInt_(std::signal(SIGINT, onStopSignal)) {
    timer_ = loop.newTimer(kLookMs, true);
    timer_->onTick = [this, onStop = std::move(onStop)] {
        if (stopRequested() && onStop()) timer_->setEnabled(false);
    };
}

StopWatch::~StopWatch() {
    std::signal(SIGTERM, previousTerm_);
    std::signal(SIGINT, previousInt_);
}

void releaseAndClose(Form21& form) {
    try {
        form.EchoLink->SetPTT(false);
    } catch (const RuntimeError&) {
        // no host yet, or it failed: the close goes on all the same
    }
    form.closeRequest();
}

}  // namespace tc
