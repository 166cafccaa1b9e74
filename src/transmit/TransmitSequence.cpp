#include "transmit/TransmitSequence.h"

#include "core/Dispatcher.h"
#include "core/HostRef.h"
#include "transmit/MediaPlayer.h"
#include "transmit/OnAir.h"
#include "ui/Panel.h"

namespace tc {

namespace {
// Where the pre-roll loop leaves its counter, so that the loop must run.
volatile double preRollSink;
}  // namespace

void TransmitSequence::Sleep() {
    double counter = 1;
    while (counter <= 20000) counter += 0.001;
    preRollSink = counter;
}

void TransmitSequence::TXFile(Asker asker) {
    // resume-next throughout: a failing step is skipped
    bool running = false;
    resumeNext([&] { player_.CurrentFile.clear(); });
    resumeNext([&] { player_.LoadFile(0); });
    resumeNext([&] { panel_.Text2.setText("00:00:00"); });
    resumeNext([&] { panel_.Ident.set(colour::LightOrange, "Ident ON"); });
    resumeNext([&] { echoLink_->SetPTT(true); });
    resumeNext([&] { player_.waitBeforePlay(Sleep); });
    resumeNext([&] {
        player_.MediaControl().Run();
        running = true;
    });
    resumeNext([&] { player_.MediaPosition().put_CurrentPosition(0); });
    resumeNext([&] { player_.BasicAudio().put_Volume(panel_.V1.value); });
    resumeNext([&] { player_.MediaPosition().put_Rate(panel_.V2.value / 100.0); });
    if (running) {
        resumeNext([&] {
            events_.raise(event::Playing{player_.renderedFile(), player_.BasicAudio().get_Volume(),
                                         player_.MediaPosition().get_Rate()});
        });
    }
    // It went out when the player holds the file it was sent with.
    const bool rendered =
        player_.loaded() && !player_.CurrentFile.empty() && player_.renderedFile() == player_.CurrentFile;
    const std::string& tone = player_.ToneSource == 2 ? panel_.InetTone.text : panel_.RFTone.text;
    onAir_.identSent(true, rendered ? player_.renderedFile() : tone, rendered, asker);
}

void TransmitSequence::sendIdent(int toneSource) {
    player_.CurrentFile.clear();
    player_.ToneSource = toneSource;
    echoLink_->SetPTT(true);
    TXFile(Asker::Station);
}

void TransmitSequence::testTone(int toneSource) {
    if (panel_.Check1.value != 1) return;
    resumeNext([&] { player_.CurrentFile.clear(); });
    resumeNext([&] { player_.ToneSource = toneSource; });
    resumeNext([&] { panel_.PTT.set(colour::Red, "PTT ON"); });
    resumeNext([&] { echoLink_->SetPTT(true); });
    resumeNext([&] { TXFile(events_.asker()); });
}

void TransmitSequence::Command7_Click() { testTone(1); }

void TransmitSequence::Command8_Click() { testTone(2); }

void TransmitSequence::Command3_Click() {
    resumeNext([&] { player_.CurrentFile.clear(); });
    resumeNext([&] { TXFile(events_.asker()); });
}

void TransmitSequence::Command4_Click() {
    panel_.txtFile.setText("");
    player_.LoadFile(-1);
}

}  // namespace tc
