#include "app/StopSignals.h"

#include <cerrno>
#include <csignal>
#include <utility>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "app/EventLoop.h"
#include "app/Form21.h"

namespace tc {

namespace {

volatile std::sig_atomic_t requested = 0;
// The write end of the pipe that a waiting loop listens to, or -1.
volatile std::sig_atomic_t wakeFd = -1;

extern "C" void onStopSignal(int) {
    requested = 1;
#ifndef _WIN32
    if (wakeFd >= 0) {
        const int saved = errno;
        [[maybe_unused]] ssize_t n = ::write(wakeFd, "!", 1);
        errno = saved;
    }
#endif
}

}  // namespace

bool stopRequested() { return requested != 0; }

StopWatch::StopWatch(EventLoop& loop, std::function<bool()> onStop) : onStop_(std::move(onStop)) {
    timer_ = loop.newTimer(kLookMs, false);
    timer_->onTick = [this] { look(); };
#ifndef _WIN32
    // Where the loop can wait on the pipe, the signal wakes it and an idle
    // program is not woken twenty times a second to look for nothing.
    if (::pipe(wake_) == 0) {
        for (int fd : wake_) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
        watch_ = loop.watchReadable(wake_[0], [this] {
            char notes[16];
            while (::read(wake_[0], notes, sizeof notes) > 0) {
            }
            look();
        });
        if (watch_) {
            wakeFd = wake_[1];
        } else {
            for (int& fd : wake_) ::close(std::exchange(fd, -1));
        }
    }
#endif
    if (!watch_ || stopRequested()) timer_->setEnabled(true);
    previousTerm_ = std::signal(SIGTERM, onStopSignal);
    previousInt_ = std::signal(SIGINT, onStopSignal);
}

StopWatch::~StopWatch() {
    std::signal(SIGTERM, previousTerm_);
    std::signal(SIGINT, previousInt_);
    wakeFd = -1;
    watch_.reset();
#ifndef _WIN32
    for (int fd : wake_)
        if (fd >= 0) ::close(fd);
#endif
}

void StopWatch::look() {
    if (done_ || !stopRequested()) return;
    done_ = onStop_();
    // A stop that could not be done yet is tried again shortly.
    timer_->setEnabled(!done_);
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
