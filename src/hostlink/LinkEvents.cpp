#include "hostlink/LinkEvents.h"

#include "core/Dispatcher.h"
#include "core/Identity.h"
#include "app/Settings.h"
#include "core/HostRef.h"
#include "core/StationEvents.h"
#include "transmit/AntiKerchunker.h"
#include "transmit/OnAir.h"
#include "transmit/TransmitSequence.h"
#include "ui/Panel.h"

namespace tc {

// None of the four handlers traps errors: a failed host call ends the
// program through the dispatcher.

void LinkEvents::EchoLink_RX(bool bRX) {
    StationEvents& events = p_.events;
    events.raise(event::InternetAudio{bRX});
    const std::int64_t now = events.nowMs();
    if (bRX && !internetSince_) {
        internetSince_ = now;
    } else if (!bRX && internetSince_) {
        events.raise(event::OverEnded{true, true, *internetSince_, now});
        internetSince_.reset();
    }
    Panel& panel = p_.panel;
    if (!bRX && panel.Check1.value == 1) {
        if (panel.Options.Option1) {
            p_.onAir.sendCw(p_.echoLink, panel.IPCourtesy.text, Asker::Station);
        } else {
            p_.tx.sendIdent(2);  // the Internet tone
        }
    }
    if (bRX)
        panel.PTT1.set(colour::Red, "IP  TX  ON");
    else
        panel.PTT1.set(colour::ButtonFace, "IP  TX  OFF");
}

void LinkEvents::EchoLink_CarrierDetect(bool bCD) {
    p_.events.raise(event::Carrier{bCD});
    p_.antiKerchunker.carrier(bCD);
    if (bCD)
        p_.panel.Kerchunker->setEnabled(true);
    else
        p_.panel.KickBackCheck->setEnabled(true);
}

void LinkEvents::EchoLink_Closing() {
    p_.events.raise(event::HostClosing{});
    p_.echoLink->SetPTT(false);
    p_.settings.SaveData();
    endAtOnce();
}

std::string LinkEvents::versionReply() {
    using namespace identity;
    return std::string(kProduct) + " " + " v" + std::to_string(kMajor) + "." + std::to_string(kMinor) + "." +
           std::to_string(kRevision);
}

void LinkEvents::EchoLink_ChatTextReceived(const std::string& sText) {
    if (sText.find("/ver/") == std::string::npos) return;
    const std::string reply = versionReply();
    p_.echoLink->SendChatText(reply);
    p_.events.raise(event::ChatAnswered{reply});
}

}  // namespace tc
