#pragma once

namespace tc {

class HostRef;
class Panel;
class TransmitSequence;

// Decides whether an RF over earns a courtesy: the carrier must still be
// there one anti-kerchunker time after it came up. Once counted, the end
// of the carrier is polled every hang time and the courtesy follows.
// Also the supervisor tick, which holds the transmitter while an audio
// ident plays, releases it at the end, and keeps the panel current.
class AntiKerchunker {
public:
    AntiKerchunker(Panel& panel, TransmitSequence& tx, HostRef& echoLink)
        : panel_(panel), tx_(tx), echoLink_(echoLink) {}

    void Kerchunker_Timer();
    void KickBackCheck_Timer();
    void Timer4_Timer();

private:
    Panel& panel_;
    TransmitSequence& tx_;
    HostRef& echoLink_;
};

}  // namespace tc
