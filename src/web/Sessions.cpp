#include "web/Sessions.h"

#include <algorithm>

namespace tc {

void Sessions::dropExpired(std::int64_t now) {
    std::erase_if(sessions_, [now](const Session& s) { return now - s.lastUsed >= kIdleMs; });
}

std::string Sessions::open() {
    std::string token = secrets_.newToken();
    std::lock_guard<std::mutex> lock(mutex_);
    const std::int64_t now = clock_();
    dropExpired(now);
    if (sessions_.size() >= kMaxSessions) {
        auto oldest = std::min_element(sessions_.begin(), sessions_.end(),
                                       [](const Session& a, const Session& b) { return a.lastUsed < b.lastUsed; });
        sessions_.erase(oldest);
    }
    sessions_.push_back({token, now});
    return token;
}

bool Sessions::use(const std::string& token) {
    if (token.empty()) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    const std::int64_t now = clock_();
    dropExpired(now);
    // Every session is compared, each in constant time: how long the
    // answer takes tells nothing of the tokens.
    Session* found = nullptr;
    for (Session& s : sessions_)
        if (secrets_.same(s.token, token)) found = &s;
    if (!found) return false;
    found->lastUsed = now;
    return true;
}

void Sessions::close(const std::string& token) {
    std::lock_guard<std::mutex> lock(mutex_);
    std::erase_if(sessions_, [&](const Session& s) { return secrets_.same(s.token, token); });
}

}  // namespace tc
