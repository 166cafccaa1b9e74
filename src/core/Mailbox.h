#pragma once
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "core/EventLoop.h"

namespace tc {

// Hands work from the program's other threads (a radio's, the web
// server's) to the logic thread, which alone touches the station. send()
// may be called from any thread and never waits for the logic; what was
// sent runs on the logic thread, in the order sent, at the next delivery
// (every `everyMs` while the mailbox lives). Whatever is still undelivered
// when the mailbox goes is dropped.
class Mailbox {
public:
    Mailbox(EventLoop& loop, int everyMs) : delivery_(loop.newTimer(everyMs, true)) {
        delivery_->onTick = [this] { deliver(); };
    }

    void send(std::function<void()> work) {
        std::lock_guard<std::mutex> lock(mutex_);
        waiting_.push_back(std::move(work));
    }

    // Runs what has been sent so far; the delivery timer calls it.
    void deliver() {
        std::vector<std::function<void()>> due;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            due.swap(waiting_);
        }
        for (auto& work : due) work();
    }

private:
    std::unique_ptr<Timer> delivery_;
    std::mutex mutex_;
    std::vector<std::function<void()>> waiting_;
};

}  // namespace tc
