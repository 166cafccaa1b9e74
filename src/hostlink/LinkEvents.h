#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tc {

class AntiKerchunker;
class HostRef;
class OnAir;
class Panel;
class Settings;
class StationEvents;
class TransmitSequence;

// The host's four events: the Internet courtesy when Internet audio ends,
// the anti-kerchunker armed as the carrier comes and goes, shutting down
// when the host closes, and the answer to "/ver/" in the chat.
class LinkEvents {
public:
    struct Parts {
        Panel& panel;
        TransmitSequence& tx;
        AntiKerchunker& antiKerchunker;
        OnAir& onAir;
        Settings& settings;
        HostRef& echoLink;
        StationEvents& events;
    };
    explicit LinkEvents(Parts parts) : p_(parts) {}

    void EchoLink_RX(bool bRX);
    void EchoLink_CarrierDetect(bool bCD);
    [[noreturn]] void EchoLink_Closing();
    void EchoLink_ChatTextReceived(const std::string& sText);

    // "Tailchime  v2.0.1"
    static std::string versionReply();

private:
    Parts p_;
    std::optional<std::int64_t> internetSince_;  // the Internet over under way
};

}  // namespace tc
