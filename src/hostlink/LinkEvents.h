#pragma once
#include <string>

namespace tc {

class HostRef;
class Panel;
class Settings;
class TransmitSequence;

// The host's four events: the Internet courtesy when Internet audio ends,
// the anti-kerchunker armed as the carrier comes and goes, shutting down
// when the host closes, and the answer to "/ver/" in the chat.
class LinkEvents {
public:
    LinkEvents(Panel& panel, TransmitSequence& tx, Settings& settings, HostRef& echoLink)
        : panel_(panel), tx_(tx), settings_(settings), echoLink_(echoLink) {}

    void EchoLink_RX(bool bRX);
    void EchoLink_CarrierDetect(bool bCD);
    [[noreturn]] void EchoLink_Closing();
    void EchoLink_ChatTextReceived(const std::string& sText);

    // "Tailchime  v2.0.1"
    static std::string versionReply();

private:
    Panel& panel_;
    TransmitSequence& tx_;
    Settings& settings_;
    HostRef& echoLink_;
};

}  // namespace tc
