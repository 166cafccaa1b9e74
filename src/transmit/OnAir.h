#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/StationEvents.h"

namespace tc {

class HostRef;

// The transmitter as the station reads it, and the idents on the air: an
// ident that rendered stays on the air until the transmitter is next seen
// released (CW and audio alike keep it keyed while they go out); one that
// did not ends where it started.
class OnAir {
public:
    explicit OnAir(StationEvents& events) : events_(events) {}

    // Sends a CW ident through the host. A host that fails it still has it
    // told, as not rendered, before the failure goes on to the caller.
    void sendCw(HostRef& host, const std::string& text, Asker asker);
    void identSent(bool audio, const std::string& what, bool rendered, Asker asker);
    // What the station has just read of the transmitter.
    void transmitterRead(bool keyed);

private:
    struct Airing {
        event::Ident ident;
        std::int64_t startMs;
    };

    StationEvents& events_;
    bool keyed_ = false;
    std::vector<Airing> airing_;
};

}  // namespace tc
