#pragma once
#include "core/StationEvents.h"

namespace tc {

class HostRef;
class MediaPlayer;
class OnAir;
class Panel;

// Sends an audio ident: loads the tone, keys the transmitter, spends the
// pre-roll wait and starts playback with the panel's volume and speed. It
// does not wait for the end of the file: the supervisor tick holds the
// transmitter while the file plays and releases it at the end.
class TransmitSequence {
public:
    TransmitSequence(Panel& panel, MediaPlayer& player, HostRef& echoLink, OnAir& onAir, StationEvents& events)
        : panel_(panel), player_(player), echoLink_(echoLink), onAir_(onAir), events_(events) {}

    // An audio ident after traffic: the tone is loaded afresh, the
    // transmitter keyed, then TXFile. Failures of the keying reach the
    // caller (the link and anti-kerchunker handlers set no trap).
    void sendIdent(int toneSource);

    // Told, once it has gone out, as an ident that `asker` asked for.
    void TXFile(Asker asker);
    // The pre-roll wait: a counted loop that really spends its passes and
    // handles nothing meanwhile, so the transmitter settles before audio.
    static void Sleep();

    void Command7_Click();  // test the RF tone
    void Command8_Click();  // test the Internet tone
    void Command3_Click();  // play the last tone again
    void Command4_Click();  // load the tone again, without playing

private:
    void testTone(int toneSource);

    Panel& panel_;
    MediaPlayer& player_;
    HostRef& echoLink_;
    OnAir& onAir_;
    StationEvents& events_;
};

}  // namespace tc
