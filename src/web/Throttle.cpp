#include "web/Throttle.h"

#include <algorithm>

namespace tc {

Throttle::Count& Throttle::of(const std::string& address, std::int64_t now) {
    if (counts_.size() >= kMaxAddresses && !counts_.count(address)) {
        // Full: forget an address that neither waits nor is being checked, else the first.
        auto idle = std::find_if(counts_.begin(), counts_.end(),
                                 [now](auto& c) { return c.second.until <= now && c.second.checking == 0; });
        counts_.erase(idle != counts_.end() ? idle : counts_.begin());
    }
    return counts_[address];
}

std::int64_t Throttle::admit(const std::string& address) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::int64_t now = clock_();
    if (now - windowStart_ >= kWindowMs && all_.until <= now) {
        windowStart_ = now;
        all_.failures = 0;
    }
    Count& c = of(address, now);
    if (c.until > now) return c.until - now;
    if (all_.until > now) return all_.until - now;
    // Tries under way count as wrong ones until they are told: past the free
    // ones, one at a time.
    auto busy = [](const Count& k, int free) { return k.checking > 0 && k.failures + k.checking >= free; };
    if (busy(c, kFree) || busy(all_, kFreeAll)) return kBusyWaitMs;
    ++c.checking;
    ++all_.checking;
    return 0;
}

std::int64_t Throttle::holdAfter(Count& c, int free, std::int64_t now) {
    if (c.failures < free) return 0;
    std::int64_t wait = kFirstWaitMs;
    for (int i = free; i < c.failures && wait < kLongestWaitMs; ++i) wait *= 2;
    wait = std::min(wait, kLongestWaitMs);
    c.until = now + wait;
    return wait;
}

std::int64_t Throttle::failed(const std::string& address) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::int64_t now = clock_();
    Count& c = of(address, now);
    c.checking = std::max(0, c.checking - 1);
    all_.checking = std::max(0, all_.checking - 1);
    ++c.failures;
    ++all_.failures;
    holdAfter(all_, kFreeAll, now);
    return holdAfter(c, kFree, now);
}

void Throttle::succeeded(const std::string& address) {
    std::lock_guard<std::mutex> lock(mutex_);
    all_.checking = std::max(0, all_.checking - 1);
    auto it = counts_.find(address);
    if (it == counts_.end()) return;
    it->second.checking = std::max(0, it->second.checking - 1);
    it->second.failures = 0;
    if (it->second.checking == 0) counts_.erase(it);
}

}  // namespace tc
