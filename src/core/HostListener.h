#pragma once
#include <string>

#include "core/StationEvents.h"

namespace tc {

// What a station does on the air, for whoever follows it (the transcript,
// the simulator window, the CW sounder, the log of a station with a radio).
class HostListener {
public:
    virtual ~HostListener() = default;
    virtual void transmitterChanged(bool /*keyed*/) {}
    virtual void cwSent(const std::string& /*text*/) {}
    virtual void chatSent(const std::string& /*text*/) {}
    // A radio's receiver: the carrier as the radio reports it.
    virtual void carrierChanged(bool /*present*/) {}
    // A radio's own news: opened, lost, the transmitter timed out.
    virtual void radioNotice(const event::Radio& /*news*/) {}
};

}  // namespace tc
