#include "hostlink/hamlib/RigOrders.h"

namespace tc {

void RigOrders::key(bool keyed) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!keyed) ++releases_;
        if (wantPtt_ == keyed) return;
        wantPtt_ = keyed;
    }
    wake_.notify_all();
}

void RigOrders::sendMorse(std::string text) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        morse_.push_back(std::move(text));
    }
    wake_.notify_all();
}

void RigOrders::quit() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
}

bool RigOrders::quitting() {
    std::lock_guard<std::mutex> lock(mutex_);
    return quit_;
}

RigOrders::Keying RigOrders::takeKeying() {
    std::lock_guard<std::mutex> lock(mutex_);
    taken_ = wantPtt_;
    Keying k{wantPtt_, releases_ != seenReleases_};
    seenReleases_ = releases_;
    return k;
}

std::optional<std::string> RigOrders::nextMorse() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (morse_.empty()) return std::nullopt;
    std::string text = std::move(morse_.front());
    morse_.pop_front();
    return text;
}

std::deque<std::string> RigOrders::dropMorse() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::deque<std::string> dropped;
    dropped.swap(morse_);
    return dropped;
}

void RigOrders::waitForOrders(Clock::time_point until, bool morseBusy) {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait_until(lock, until,
                     [&] { return quit_ || wantPtt_ != taken_ || (!morse_.empty() && !morseBusy); });
}

void RigOrders::rest(int ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return quit_; });
}

}  // namespace tc
