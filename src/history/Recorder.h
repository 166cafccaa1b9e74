#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/StationEvents.h"
#include "history/Record.h"

namespace tc::history {

// Turns the station's events into the history's records, on the logic
// thread, as they happen. It only hands finished records to the store,
// which writes them elsewhere: no tick waits for a disk.
class Recorder {
public:
    using Clock = std::function<std::int64_t()>;  // ms since the epoch, UTC

    Recorder(Store& store, Clock clock, StationEvents& events);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Closes whatever is still open, at the present moment (the program ends).
    void finish();

private:
    void told(const StationEvent& e, std::int64_t atMs);
    void released(std::int64_t now);

    Store& store_;
    Clock clock_;
    std::optional<std::int64_t> rfSince_, internetSince_;
    std::optional<Keying> keying_;
    std::vector<Ident> airing_;  // sent, waiting for the release that ends them
    StationEvents::Subscription following_;
};

}  // namespace tc::history
