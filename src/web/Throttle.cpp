#include "web/Throttle.h"

#include <algorithm>

namespace tc {

std::int64_t Throttle::waitMs(const std::string& address) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = records_.find(address);
    if (it == records_.end()) return 0;
    return std::max<std::int64_t>(0, it->second.until - clock_());
}

std::int64_t Throttle::failed(const std::string& address) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (records_.size() >= kMaxAddresses && !records_.count(address)) {
        // Full: forget an address that no longer waits, else the first.
        const std::int64_t now = clock_();
        auto idle = std::find_if(records_.begin(), records_.end(), [now](auto& r) { return r.second.until <= now; });
        records_.erase(idle != records_.end() ? idle : records_.begin());
    }
    Record& r = records_[address];
    ++r.failures;
    if (r.failures < kFree) return 0;
    std::int64_t wait = kFirstWaitMs;
    for (int i = kFree; i < r.failures && wait < kLongestWaitMs; ++i) wait *= 2;
    wait = std::min(wait, kLongestWaitMs);
    r.until = clock_() + wait;
    return wait;
}

void Throttle::succeeded(const std::string& address) {
    std::lock_guard<std::mutex> lock(mutex_);
    records_.erase(address);
}

}  // namespace tc
