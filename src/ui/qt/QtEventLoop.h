#pragma once
#include <QElapsedTimer>
#include <QObject>

#include "core/EventLoop.h"

namespace tc {

class HeldEnd;

// The windowed program's clock and timers: real time, driven by Qt's event
// loop on the user-interface thread.
class QtEventLoop final : public EventLoop {
public:
    explicit QtEventLoop(HeldEnd& held);

    std::int64_t nowMs() const override { return clock_.elapsed(); }
    std::unique_ptr<Timer> newTimer(int intervalMs, bool enabled) override;
    void post(std::int64_t atMs, Lane lane, std::function<void()> fn) override;
    void processPendingEvents() override;
    SignalWake wakeFromSignal(std::function<void()> onWake) override;

private:
    HeldEnd& held_;
    QElapsedTimer clock_;
    QObject posts_;  // context of the posted calls: they die with the loop
};

}  // namespace tc
