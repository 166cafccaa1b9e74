#include "transmit/AntiKerchunker.h"

#include "hostlink/HostRef.h"
#include "transmit/TransmitSequence.h"
#include "ui/Panel.h"

namespace tc {

// No error trap in any of the three ticks: a failing host call ends the
// program through the dispatcher.

void AntiKerchunker::Kerchunker_Timer() {
    panel_.Kerchunker->setEnabled(false);
    if (echoLink_->GetCarrierDetect()) {
        panel_.OK2Kerchunk.caption = "Yes";
        panel_.KickBackCheck->setEnabled(true);
    }
}

void AntiKerchunker::KickBackCheck_Timer() {
    if (echoLink_->GetCarrierDetect()) return;  // still receiving
    if (panel_.OK2Kerchunk.caption != "Yes") return;
    panel_.KickBackCheck->setEnabled(false);
    if (panel_.Check1.value == 1) {
        if (panel_.Options.Option1) {
            echoLink_->SendCW(0, panel_.CourtesyID.text);
        } else {
            tx_.sendIdent(1);  // the RF tone
        }
    }
    panel_.OK2Kerchunk.caption = "No";
}

void AntiKerchunker::Timer4_Timer() {
    if (panel_.Label1.caption == panel_.Label3.caption) {
        echoLink_->SetPTT(false);
    } else {
        panel_.PTT.set(colour::Red, "PTT ON");
        echoLink_->SetPTT(true);
    }
    if (echoLink_->GetPTT())
        panel_.PTT.set(colour::Red, "PTT ON");
    else
        panel_.PTT.set(colour::LightGreen, "PTT OFF");
    if (panel_.OK2Kerchunk.caption == "No")
        panel_.Kerchunk.set(colour::ButtonFace, "Kerchunker Set");
    else
        panel_.Kerchunk.set(colour::LightGreen, "Clear to Send");
    panel_.Frame2.visible = panel_.Options.Option1;
    panel_.Frame5.visible = !panel_.Options.Option1;
}

}  // namespace tc
