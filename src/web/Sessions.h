#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tc {

// The logged-in browsers: each holds a random token in a cookie. A
// session ends after kIdleMs unused and at logout; the oldest goes when
// kMaxSessions are open. Safe to use from the server's threads.
class Sessions {
public:
    static constexpr std::int64_t kIdleMs = 12LL * 3600 * 1000;
    static constexpr std::size_t kMaxSessions = 64;

    struct Secrets {
        std::function<std::string()> newToken;  // unguessable
        std::function<bool(const std::string&, const std::string&)> same;  // in constant time
    };
    using Clock = std::function<std::int64_t()>;  // ms, never going back

    Sessions(Secrets secrets, Clock clock) : secrets_(std::move(secrets)), clock_(std::move(clock)) {}

    std::string open();
    // Whether the token is a live session; using it keeps it alive.
    bool use(const std::string& token);
    void close(const std::string& token);

private:
    struct Session {
        std::string token;
        std::int64_t lastUsed;
    };
    void dropExpired(std::int64_t now);

    Secrets secrets_;
    Clock clock_;
    std::mutex mutex_;
    std::vector<Session> sessions_;
};

}  // namespace tc
