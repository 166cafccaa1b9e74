#include "transmit/TransmitSequence.h"

#include "app/Dispatcher.h"
#include "hostlink/HostRef.h"
#include "transmit/MediaPlayer.h"
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

void TransmitSequence::TXFile() {
    // resume-next throughout: a failing step is skipped
    bool running = false;
    resumeNext([&] { player_.CurrentFile.clear(); });
    resumeNext([&] { player_.LoadFile(0); });
    resumeNext([&] { panel_.Text2.setText("00:00:00"); });
    resumeNext([&] { panel_.Ident.set(colour::LightOrange, "Ident ON"); });
    resumeNext([&] { echoLink_->SetPTT(true); });
    resumeNext([&] { Sleep(); });
    resumeNext([&] {
        player_.MediaControl().Run();
        running = true;
    });
    resumeNext([&] { player_.MediaPosition().put_CurrentPosition(0); });
    resumeNext([&] { player_.BasicAudio().put_Volume(panel_.V1.value); });
    resumeNext([&] { player_.MediaPosition().put_Rate(panel_.V2.value / 100.0); });
    if (running && started_) {
        resumeNext([&] {
            started_(player_.renderedFile(), player_.BasicAudio().get_Volume(),
                     player_.MediaPosition().get_Rate());
        });
    }
}

void TransmitSequence::sendIdent(int toneSource) {
    player_.CurrentFile.clear();
    player_.ToneSource = toneSource;
    echoLink_->SetPTT(true);
    TXFile();
}

void TransmitSequence::testTone(int toneSource) {
    if (panel_.Check1.value != 1) return;
    resumeNext([&] { player_.CurrentFile.clear(); });
    resumeNext([&] { player_.ToneSource = toneSource; });
    resumeNext([&] { panel_.PTT.set(colour::Red, "PTT ON"); });
    resumeNext([&] { echoLink_->SetPTT(true); });
    resumeNext([&] { TXFile(); });
}

void TransmitSequence::Command7_Click() { testTone(1); }

void TransmitSequence::Command8_Click() { testTone(2); }

void TransmitSequence::Command3_Click() {
    resumeNext([&] { player_.CurrentFile.clear(); });
    resumeNext([&] { TXFile(); });
}

void TransmitSequence::Command4_Click() {
    panel_.txtFile.setText("");
    player_.LoadFile(-1);
}

}  // namespace tc
