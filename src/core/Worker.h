#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace tc {

// A thread of its own that runs the work it is handed, one piece at a time,
// in order, so that whoever hands it on never waits. At most `most` pieces
// wait; beyond that the oldest is dropped. Its end waits only for the piece
// under way: what still waits is not run.
class Worker {
public:
    explicit Worker(std::size_t most) : most_(most), thread_([this] { run(); }) {}
    ~Worker() { stop(); }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void hand(std::function<void()> work) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopping_) return;
            if (waiting_.size() >= most_) waiting_.pop_front();
            waiting_.push_back(std::move(work));
        }
        wake_.notify_one();
    }
    // Whether its end has begun: long work looks here to give up early.
    bool stopping() {
        std::lock_guard<std::mutex> lock(mutex_);
        return stopping_;
    }
    void stop() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        if (thread_.joinable()) thread_.join();
    }

private:
    void run() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
            if (stopping_) return;
            auto next = std::move(waiting_.front());
            waiting_.pop_front();
            lock.unlock();
            next();
            lock.lock();
        }
    }

    const std::size_t most_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> waiting_;
    bool stopping_ = false;
    std::thread thread_;  // last: it starts once the rest is ready
};

}  // namespace tc
