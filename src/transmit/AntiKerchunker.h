#pragma once
#include <cstdint>
#include <optional>

namespace tc {

class HostRef;
class OnAir;
class Panel;
class StationEvents;
class TransmitSequence;

// Decides whether an RF over earns a courtesy: the carrier must still be
// there one anti-kerchunker time after it came up. Once counted, the end
// of the carrier is polled every hang time and the courtesy follows.
// Also the supervisor tick, which holds the transmitter while an audio
// ident plays, releases it at the end, and keeps the panel current.
class AntiKerchunker {
public:
    AntiKerchunker(Panel& panel, TransmitSequence& tx, HostRef& echoLink, OnAir& onAir, StationEvents& events)
        : panel_(panel), tx_(tx), echoLink_(echoLink), onAir_(onAir), events_(events) {}

    void Kerchunker_Timer();
    void KickBackCheck_Timer();
    void Timer4_Timer();

    // The carrier as the host reports it: an RF over starts and ends with
    // it, counted when this over's carrier outlasted the anti-kerchunker
    // time (or came up while the last one's courtesy was still due).
    void carrier(bool present);

private:
    Panel& panel_;
    TransmitSequence& tx_;
    HostRef& echoLink_;
    OnAir& onAir_;
    StationEvents& events_;
    struct Over {
        std::int64_t startMs;
        bool counted;
    };
    std::optional<Over> over_;
};

}  // namespace tc
