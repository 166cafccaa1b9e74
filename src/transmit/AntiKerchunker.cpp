#include "transmit/AntiKerchunker.h"

#include "core/HostRef.h"
#include "core/StationEvents.h"
#include "transmit/OnAir.h"
#include "transmit/TransmitSequence.h"
#include "ui/Panel.h"

namespace tc {

// No error trap in any of the three ticks: a failing host call ends the
// program through the dispatcher.

void AntiKerchunker::Kerchunker_Timer() {
    panel_.Kerchunker->setEnabled(false);
    if (echoLink_->GetCarrierDetect()) {
        panel_.OK2Kerchunk.caption = "Yes";
        if (over_) over_->counted = true;
        panel_.KickBackCheck->setEnabled(true);
    }
}

void AntiKerchunker::KickBackCheck_Timer() {
    if (echoLink_->GetCarrierDetect()) return;  // still receiving
    if (panel_.OK2Kerchunk.caption != "Yes") return;
    panel_.KickBackCheck->setEnabled(false);
    if (panel_.Check1.value == 1) {
        if (panel_.Options.Option1) {
            onAir_.sendCw(echoLink_, panel_.CourtesyID.text, Asker::Station);
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
    const bool keyed = echoLink_->GetPTT();
    onAir_.transmitterRead(keyed);
    if (keyed)
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

void AntiKerchunker::carrier(bool present) {
    const std::int64_t now = events_.nowMs();
    if (present && !over_) {
        over_ = Over{now, panel_.OK2Kerchunk.caption == "Yes"};
    } else if (!present && over_) {
        events_.raise(event::OverEnded{false, over_->counted, over_->startMs, now});
        over_.reset();
    }
}

}  // namespace tc
