#include "hostlink/StatusClock.h"

#include "core/Dispatcher.h"
#include "core/NumberText.h"
#include "core/HostRef.h"
#include "transmit/MediaPlayer.h"
#include "ui/Panel.h"

namespace tc {

void StatusClock::Timer1_Timer() {
    // resume-next throughout. Before a file is loaded the player has no
    // position, so the registers and clocks keep what they hold; without a
    // graph every player step would fail, so they are not even tried (the
    // clock ticks ten times a second for as long as the station runs).
    Panel& p = panel_;
    if (player_.loaded()) {
        resumeNext([&] { p.Label1.caption = numberText(player_.MediaPosition().get_CurrentPosition()); });
        resumeNext([&] { p.Label2.caption = numberText(player_.MediaPosition().get_Duration()); });
        resumeNext([&] { p.H1.setValue(roundedWhole(player_.MediaPosition().get_CurrentPosition())); });
        resumeNext([&] {
            p.Text1.setText(FormatTime(player_.MediaPosition().get_Duration() -
                                       player_.MediaPosition().get_CurrentPosition()));
        });
        resumeNext([&] { p.Text2.setText(FormatTime(player_.MediaPosition().get_CurrentPosition())); });
    }
    bool on = p.Check1.value == 1;
    p.Command15.visible = on;
    p.Command14.visible = !on;
    p.Picture26.visible = p.Kerchunk.text() == "Clear to Send";
    p.Picture27.visible = p.RFUser.text() == "Receiving  RF";
    p.Picture28.visible = p.PTT1.text() == "IP  TX  ON";
    bool keyed = p.PTT.text() == "PTT ON";
    p.Picture29.visible = keyed;
    p.Picture25.visible = keyed;
    p.Picture4.visible = keyed;
    if (on)
        advanceAntenna();
    else
        p.Ant0.visible = true;
    announce();
}

event::Status StatusClock::current() const {
    const Panel& p = panel_;
    event::Status s;
    s.callsign = p.Callsign.text;
    s.on = p.Check1.value == 1;
    s.audio = !p.Options.Option1;
    s.ptt = p.PTT.text() == "PTT ON";
    s.lampKerchunker = p.Picture26.visible;
    s.lampRf = p.Picture27.visible;
    s.lampInternet = p.Picture28.visible;
    s.lampPtt = p.Picture29.visible;
    s.antenna = p.Ant1.visible ? 1 : p.Ant2.visible ? 2 : p.Ant3.visible ? 3 : 0;
    s.identRf = s.audio ? p.RFTone.text : p.CourtesyID.text;
    s.identInternet = s.audio ? p.InetTone.text : p.IPCourtesy.text;
    s.hangMs = p.KickBackCheck->interval();
    s.kerchunkMs = p.Kerchunker->interval();
    return s;
}

void StatusClock::announce() {
    event::Status s = current();
    if (toldOnce_ && s == told_) return;
    told_ = std::move(s);
    toldOnce_ = true;
    events_.raise(told_);
}

void StatusClock::advanceAntenna() {
    Shape* frames[] = {&panel_.Ant0, &panel_.Ant1, &panel_.Ant2, &panel_.Ant3};
    for (int i = 0; i < 4; ++i) {
        if (frames[i]->visible) {
            frames[i]->visible = false;
            frames[(i + 1) % 4]->visible = true;
            return;
        }
    }
}

void StatusClock::Timer3_Timer() {
    // no error trap: a failing carrier read ends the program
    Panel& p = panel_;
    if (p.Options.Option2) {
        if (p.Label1.caption == p.Label3.caption)
            p.Ident.set(colour::ButtonFace, "Audio Ident");
        else
            p.Ident.set(colour::LightOrange, "Sending Ident");
    }
    if (echoLink_->GetCarrierDetect())
        p.RFUser.set(colour::LightOrange, "Receiving  RF");
    else
        p.RFUser.set(colour::ButtonFace, "RX  Standby");
}

}  // namespace tc
