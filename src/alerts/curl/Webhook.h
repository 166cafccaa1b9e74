#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace tc {

// Posts each alert's JSON to a URL, one at a time, on a thread of its own
// (the station never waits for it), each within kTimeoutS. What it could
// not post it tells `failed` (from its own thread). At most kMaxWaiting
// wait; more are dropped.
class Webhook {
public:
    static constexpr long kTimeoutS = 10;
    static constexpr std::size_t kMaxWaiting = 64;

    Webhook(std::string url, std::function<void(const std::string& why)> failed);
    ~Webhook();  // stops at once: what still waits is not posted
    Webhook(const Webhook&) = delete;
    Webhook& operator=(const Webhook&) = delete;

    void post(std::string json);

private:
    void work();

    const std::string url_;
    std::function<void(const std::string&)> failed_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::string> waiting_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tc
