#pragma once
#include "core/StationEvents.h"

namespace tc {

class HostRef;
class MediaPlayer;
class Panel;

// The 100 ms status clock: copies the player's position and length into
// the registers and clocks, and turns the hidden state texts into the
// lamps, transmit images, on/off button and antenna the operator sees.
class StatusClock {
public:
    StatusClock(Panel& panel, MediaPlayer& player, HostRef& echoLink, StationEvents& events)
        : panel_(panel), player_(player), echoLink_(echoLink), events_(events) {}

    void Timer1_Timer();
    void Timer3_Timer();

    // What the panel shows of the station now.
    event::Status current() const;
    // Tells it, when it differs from what was last told.
    void announce();

private:
    void advanceAntenna();

    Panel& panel_;
    MediaPlayer& player_;
    HostRef& echoLink_;
    StationEvents& events_;
    event::Status told_;
    bool toldOnce_ = false;
};

}  // namespace tc
