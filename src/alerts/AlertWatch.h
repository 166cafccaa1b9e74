#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <string>

#include "alerts/Alert.h"
#include "core/Followers.h"
#include "core/StationEvents.h"

namespace tc::alerts {

// Watches the station's events for what a sysop must hear about at once
// and tells its followers (the log, the page, the broker, a webhook). A
// repeat of the same alert within kQuietMs is not told again; a radio found
// again is told only after it was told lost.
class AlertWatch {
public:
    static constexpr std::int64_t kQuietMs = 10 * 60 * 1000;
    static constexpr std::int64_t kHourMs = 60 * 60 * 1000;

    // kerchunksPerHour: 0 for no such alert.
    AlertWatch(StationEvents& events, int kerchunksPerHour);
    AlertWatch(const AlertWatch&) = delete;
    AlertWatch& operator=(const AlertWatch&) = delete;

    using Subscription = Followers<const Alert&>::Subscription;
    [[nodiscard]] Subscription subscribe(std::function<void(const Alert&)> f) { return followers_.subscribe(std::move(f)); }

    // What the station's own events do not tell: the history's file refused a write.
    void historyNotWritten(const std::string& why);

private:
    void told(const StationEvent& e, std::int64_t atMs);
    void raise(Kind kind, std::string text);

    StationEvents& events_;
    int kerchunksPerHour_;
    std::deque<std::int64_t> kerchunks_;  // when each kerchunk of the last hour ended
    std::map<Kind, std::int64_t> lastTold_;
    bool radioLost_ = false;
    Followers<const Alert&> followers_;
    StationEvents::Subscription following_;
};

}  // namespace tc::alerts
