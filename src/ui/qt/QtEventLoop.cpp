#include "ui/qt/QtEventLoop.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>

#include "ui/qt/HeldEnd.h"

namespace tc {

namespace {

// A window timer over QTimer. The QTimer runs only while the timer is
// enabled with an interval above 0: Qt would fire a 0 ms timer on every
// pass of the event loop, where a window timer never ticks.
class QtTimer final : public Timer {
public:
    QtTimer(int intervalMs, bool enabled, HeldEnd& held) : enabled_(enabled), interval_(intervalMs) {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this, &held] {
            held.run([this] {
                if (onTick) onTick();
            });
        });
        apply();
    }

    void setEnabled(bool on) override {
        if (on == enabled_) return;  // a running countdown goes on
        enabled_ = on;
        apply();
    }
    bool enabled() const override { return enabled_; }

    void setInterval(int ms) override {
        interval_ = ms;
        apply();  // a running timer starts counting again
    }
    int interval() const override { return interval_; }

private:
    void apply() {
        if (enabled_ && interval_ > 0)
            timer_.start(interval_);
        else
            timer_.stop();
    }

    QTimer timer_;
    bool enabled_;
    int interval_;
};

// A signal's note to the loop: one byte down a pipe that Qt's event loop
// waits on with the rest. The pipe is the process's, made once.
int wakePipe[2] = {-1, -1};

void wakeBySignal() {
    const int saved = errno;
    [[maybe_unused]] ssize_t n = ::write(wakePipe[1], "!", 1);
    errno = saved;
}

class SignalWatch final : public Watch {
public:
    SignalWatch(std::function<void()> onWake, HeldEnd& held) : notifier_(wakePipe[0], QSocketNotifier::Read) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [&held, onWake = std::move(onWake)] {
            char notes[16];
            while (::read(wakePipe[0], notes, sizeof notes) > 0) {
            }
            held.run(onWake);
        });
    }

private:
    QSocketNotifier notifier_;
};

}  // namespace

QtEventLoop::QtEventLoop(HeldEnd& held) : held_(held) { clock_.start(); }

std::unique_ptr<Timer> QtEventLoop::newTimer(int intervalMs, bool enabled) {
    return std::make_unique<QtTimer>(intervalMs, enabled, held_);
}

// In real time two events seldom share a millisecond, and Qt runs those that
// do in the order they became due; the lanes order only the virtual clock.
void QtEventLoop::post(std::int64_t atMs, Lane /*lane*/, std::function<void()> fn) {
    auto delay = static_cast<int>(std::clamp<std::int64_t>(atMs - nowMs(), 0, INT32_MAX));
    QTimer::singleShot(delay, Qt::PreciseTimer, &posts_, [this, fn = std::move(fn)] { held_.run(fn); });
}

EventLoop::SignalWake QtEventLoop::wakeFromSignal(std::function<void()> onWake) {
    if (wakePipe[0] < 0) {
        if (::pipe(wakePipe) != 0) return {};
        for (int fd : wakePipe) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    return {std::make_unique<SignalWatch>(std::move(onWake), held_), wakeBySignal};
}

void QtEventLoop::processPendingEvents() {
    QCoreApplication::processEvents();
    held_.rethrow();
}

}  // namespace tc
