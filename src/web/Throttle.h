#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>

namespace tc {

// Wrong passwords, counted by the address they came from and, apart, from
// all addresses together. After kFree of them in a row from one address it
// waits before its next try, kFirstWaitMs and then twice as long after each
// further wrong one, up to kLongestWaitMs; after kFreeAll within
// kWindowMs from everywhere, every login waits the same way. A right
// password clears its address's count. A try is admitted, and counted as
// under way, in one step: tries sent at once are never all checked. Safe
// to use from the server's threads.
class Throttle {
public:
    static constexpr int kFree = 5;
    static constexpr int kFreeAll = 50;
    static constexpr std::int64_t kWindowMs = 10 * 60 * 1000;
    static constexpr std::int64_t kFirstWaitMs = 30 * 1000;
    static constexpr std::int64_t kLongestWaitMs = 15 * 60 * 1000;
    static constexpr std::int64_t kBusyWaitMs = 1000;  // while the address's free tries are being checked
    static constexpr std::size_t kMaxAddresses = 4096;

    using Clock = std::function<std::int64_t()>;  // ms, never going back
    explicit Throttle(Clock clock) : clock_(std::move(clock)) {}

    // 0: the try may be checked, and is under way until failed() or
    // succeeded() tells how it went. Otherwise how long to wait first.
    std::int64_t admit(const std::string& address);
    // A wrong password: the wait it now imposes on the address (0 while
    // its tries are free).
    std::int64_t failed(const std::string& address);
    void succeeded(const std::string& address);

private:
    struct Count {
        int failures = 0;
        int checking = 0;
        std::int64_t until = 0;
    };
    Count& of(const std::string& address, std::int64_t now);
    static std::int64_t holdAfter(Count& c, int free, std::int64_t now);

    Clock clock_;
    std::mutex mutex_;
    std::map<std::string, Count> counts_;
    Count all_;
    std::int64_t windowStart_ = 0;
};

}  // namespace tc
