#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>

namespace tc {

// Wrong passwords, counted by the address they came from: after kFree of
// them in a row, the address waits before its next try, kFirstWaitMs and
// then twice as long after each further wrong one, up to kLongestWaitMs. A
// right password clears its count. Safe to use from the server's threads.
class Throttle {
public:
    static constexpr int kFree = 5;
    static constexpr std::int64_t kFirstWaitMs = 30 * 1000;
    static constexpr std::int64_t kLongestWaitMs = 15 * 60 * 1000;
    static constexpr std::size_t kMaxAddresses = 4096;

    using Clock = std::function<std::int64_t()>;  // ms, never going back
    explicit Throttle(Clock clock) : clock_(std::move(clock)) {}

    // How long the address must still wait before it may try (0: now).
    std::int64_t waitMs(const std::string& address);
    // A wrong password: the wait it now imposes (0 while tries are free).
    std::int64_t failed(const std::string& address);
    void succeeded(const std::string& address);

private:
    struct Record {
        int failures = 0;
        std::int64_t until = 0;
    };

    Clock clock_;
    std::mutex mutex_;
    std::map<std::string, Record> records_;
};

}  // namespace tc
