#include "hostlink/LinkEvents.h"

#include "app/Dispatcher.h"
#include "app/Identity.h"
#include "app/Settings.h"
#include "hostlink/HostRef.h"
#include "transmit/TransmitSequence.h"
#include "ui/Panel.h"

namespace tc {

// None of the four handlers traps errors: a failed host call ends the
// program through the dispatcher.

void LinkEvents::EchoLink_RX(bool bRX) {
    if (!bRX && panel_.Check1.value == 1) {
        if (panel_.Options.Option1) {
            echoLink_->SendCW(0, panel_.IPCourtesy.text);
        } else {
            tx_.sendIdent(2);  // the Internet tone
        }
    }
    if (bRX)
        panel_.PTT1.set(colour::Red, "IP  TX  ON");
    else
        panel_.PTT1.set(colour::ButtonFace, "IP  TX  OFF");
}

void LinkEvents::EchoLink_CarrierDetect(bool bCD) {
    if (bCD)
        panel_.Kerchunker->setEnabled(true);
    else
        panel_.KickBackCheck->setEnabled(true);
}

void LinkEvents::EchoLink_Closing() {
    echoLink_->SetPTT(false);
    settings_.SaveData();
    endAtOnce();
}

std::string LinkEvents::versionReply() {
    using namespace identity;
    return std::string(kProduct) + " " + " v" + std::to_string(kMajor) + "." + std::to_string(kMinor) + "." +
           std::to_string(kRevision);
}

void LinkEvents::EchoLink_ChatTextReceived(const std::string& sText) {
    if (sText.find("/ver/") == std::string::npos) return;
    echoLink_->SendChatText(versionReply());
}

}  // namespace tc
