#pragma once

namespace tc {

class HostRef;
class MediaPlayer;
class Panel;

// The 100 ms status clock: copies the player's position and length into
// the registers and clocks, and turns the hidden state texts into the
// lamps, transmit images, on/off button and antenna the operator sees.
class StatusClock {
public:
    StatusClock(Panel& panel, MediaPlayer& player, HostRef& echoLink)
        : panel_(panel), player_(player), echoLink_(echoLink) {}

    void Timer1_Timer();
    void Timer3_Timer();

private:
    void advanceAntenna();

    Panel& panel_;
    MediaPlayer& player_;
    HostRef& echoLink_;
};

}  // namespace tc
