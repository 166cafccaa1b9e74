#pragma once
#include "report/ReportPost.h"

namespace tc {
class EventLoop;
}

namespace tc::win32 {

// The report's client is the Windows Internet library: a direct session
// without proxy, a request with no referrer and no accept types, and the
// form as the request's data. Sending blocks the logic thread until the
// server answers; the station's pending events run after every read of the
// answer. The library bounds connecting, sending and the wait for the
// answer's start each by the post's time (so the post as a whole is bounded
// by a few times it), and reading stops once that time has passed.
class WinInetPost final : public ReportPost {
public:
    explicit WinInetPost(EventLoop& loop) : loop_(loop) {}

    std::string post(const StatsServer& server, const std::string& path, const std::string& form,
                     const PostBounds& bounds) override;

private:
    EventLoop& loop_;
};

}  // namespace tc::win32
