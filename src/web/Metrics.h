#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "core/StationEvents.h"

namespace tc {

// The station's figures for a Prometheus scraper, in its text exposition
// format: counters since the program started (overs, idents, transmitter
// seconds, alerts), gauges for the lamps, the switch and the transmitter,
// and the station's call sign and version. Kept up on the logic thread as
// events arrive; written out on a server's thread when scraped, and never
// otherwise.
class Metrics {
public:
    Metrics(StationEvents& events, event::Status status, std::string version);
    Metrics(const Metrics&) = delete;
    Metrics& operator=(const Metrics&) = delete;

    void alert(const std::string& name);
    std::string text() const;

private:
    void told(const StationEvent& e, std::int64_t atMs);

    const std::string version_;
    mutable std::mutex mutex_;
    std::array<std::uint64_t, 4> overs_{};   // rf/internet x counted/kerchunk
    std::array<std::uint64_t, 4> idents_{};  // cw/audio x courtesy/test
    std::int64_t transmitMs_ = 0;
    std::int64_t keyedAt_ = -1;  // while keyed
    std::map<std::string, std::uint64_t> alerts_;
    event::Status status_;
    StationEvents::Subscription following_;
};

}  // namespace tc
