#include "ui/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>

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

// A descriptor watched by Qt's event loop, which waits on it with the rest.
class ReadableWatch final : public Watch {
public:
    ReadableWatch(int fd, std::function<void()> onReadable, HeldEnd& held) : notifier_(fd, QSocketNotifier::Read) {
        QObject::connect(&notifier_, &QSocketNotifier::activated,
                         [&held, onReadable = std::move(onReadable)] { held.run(onReadable); });
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

std::unique_ptr<Watch> QtEventLoop::watchReadable(int fd, std::function<void()> onReadable) {
    return std::make_unique<ReadableWatch>(fd, std::move(onReadable), held_);
}

void QtEventLoop::processPendingEvents() {
    QCoreApplication::processEvents();
    held_.rethrow();
}

}  // namespace tc
