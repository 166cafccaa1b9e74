#include "program/Form21.h"

#include <algorithm>
#include <utility>

#include "core/Desktop.h"
#include "core/EventLoop.h"
#include "core/Identity.h"

namespace tc {

Form21::Form21(Ports ports)
    : ports_(std::move(ports)),
      dispatcher_(ports_.desktop, ports_.afterHandler),
      events([&loop = ports_.loop] { return loop.nowMs(); }),
      panel(ports_.loop),
      player(panel, ports_.desktop, ports_.audio),
      onAir(events),
      transmit(panel, player, EchoLink, onAir, events),
      settings(panel, ports_.profile, events, ports_.rfToneDefault.c_str(), ports_.inetToneDefault.c_str()),
      commands({panel, settings, player, EchoLink, onAir, ports_.desktop, ports_.hosts, events}),
      antiKerchunker_(panel, transmit, EchoLink, onAir, events),
      statusClock_(panel, player, EchoLink, events),
      levels_(panel, player, events),
      link_({panel, transmit, antiKerchunker_, onAir, settings, EchoLink, events}),
      startup_({panel, ports_.desktop, ports_.hosts, EchoLink, *this, settings, player, [this] {
                    // Posted once: its client goes as soon as it is done.
                    ReportSender send = std::exchange(ports_.sendReport, nullptr);
                    if (!send) return;
                    events.raise(event::ReportSent{send(panel.Callsign.text, panel.Prog.text, panel.Ver.text)});
                }}) {
    panel.V1.onChange = [this] { levels_.V1_Change(); };
    panel.V2.onChange = [this] { levels_.V2_Change(); };
    panel.HangTime.onChange = [this] { levels_.HangTime_Change(); };
    panel.KerchunkWait.onChange = [this] { levels_.KerchunkWait_Change(); };
    wireTimers();
    settings.onSaveFailed([this](const std::string& where) {
        ports_.desktop.MsgBox("The settings could not be saved to " + where +
                                  ". Tailchime runs on with them; the next save tries again.",
                              mb::Exclamation, identity::kProduct);
    });
}

void Form21::wireTimers() {
    auto on = [this](std::unique_ptr<Timer>& timer, std::function<void()> handler) {
        timer->onTick = [this, handler = std::move(handler)] { dispatcher_.noTrap(handler); };
    };
    on(panel.Timer1, [this] { statusClock_.Timer1_Timer(); });
    on(panel.Timer3, [this] { statusClock_.Timer3_Timer(); });
    on(panel.Timer4, [this] { antiKerchunker_.Timer4_Timer(); });
    on(panel.Kerchunker, [this] { antiKerchunker_.Kerchunker_Timer(); });
    on(panel.KickBackCheck, [this] { antiKerchunker_.KickBackCheck_Timer(); });
}

void Form21::load() {
    dispatcher_.noTrap([this] { startup_.Form_Load(); });
    if (ended()) return;
    if (panel.Options.Option2) prepareTones();
}

// Audio idents are chosen: the player gets ready for the tones while the
// station waits for traffic (a CW station never loads what sounds them).
void Form21::prepareTones() {
    ports_.audio.Prepare(panel.RFTone.text);
    ports_.audio.Prepare(panel.InetTone.text);
}

void Form21::asked(Asker asker, const std::function<void()>& handler) {
    StationEvents::Asking asking(events, asker);
    dispatcher_.noTrap(handler);
    if (!ended()) statusClock_.announce();
}

void Form21::perform(Verb verb, Asker asker) {
    PanelCommands& c = commands;
    TransmitSequence& t = transmit;
    asked(asker, [&] {
        switch (verb) {
            case Verb::SwitchOn: c.Command14_Click(); break;
            case Verb::SwitchOff: c.Command15_Click(); break;
            case Verb::Save: c.Command18_Click(); break;
            case Verb::ShowTimings: c.Command17_Click(); break;
            case Verb::SaveTimings: c.Command16_Click(); break;
            case Verb::CwIdent: c.Picture18_Click(); break;
            case Verb::AudioIdent: c.Picture13_Click(); break;
            case Verb::ChooseRfTone: c.Command1_Click(); break;
            case Verb::ChooseInternetTone: c.Command6_Click(); break;
            case Verb::SendRfCw: c.Command10_Click(); break;
            case Verb::SendInternetCw: c.Command11_Click(); break;
            case Verb::About: c.Command12_Click(); break;
            case Verb::SaveAndQuit: c.Command9_Click(); break;
            case Verb::StopPlayer: c.Command2_Click(); break;
            case Verb::ResumePlayer: c.Command5_Click(); break;
            case Verb::TestRfTone: t.Command7_Click(); break;
            case Verb::TestInternetTone: t.Command8_Click(); break;
            case Verb::PlayAgain: t.Command3_Click(); break;
            case Verb::LoadAgain: t.Command4_Click(); break;
        }
    });
    if (verb == Verb::AudioIdent && panel.Options.Option2) prepareTones();
}

void Form21::testIdent(bool internet, Asker asker) {
    const bool cw = panel.Options.Option1;
    if (internet)
        perform(cw ? Verb::SendInternetCw : Verb::TestInternetTone, asker);
    else
        perform(cw ? Verb::SendRfCw : Verb::TestRfTone, asker);
}

void Form21::type(Field field, const std::string& text, Asker asker) {
    TextField* fields[] = {&panel.CourtesyID, &panel.IPCourtesy, &panel.HangTime,
                           &panel.KerchunkWait, &panel.RFTone, &panel.InetTone};
    TextField& f = *fields[static_cast<int>(field)];
    asked(asker, [&f, &text] { f.setText(text); });
    if ((field == Field::RFTone || field == Field::InetTone) && panel.Options.Option2) ports_.audio.Prepare(text);
}

void Form21::slide(Slider slider, long long value, Asker asker) {
    // The operator cannot move a thumb beyond either end.
    auto clamp = [value](const ScrollBar& s) { return std::clamp<long long>(value, s.min, s.max); };
    asked(asker, [&] {
        switch (slider) {
            case Slider::Volume: panel.V1.setValue(clamp(panel.V1)); break;
            case Slider::Speed: panel.V2.setValue(clamp(panel.V2)); break;
            case Slider::Position:
                panel.H1.setValue(clamp(panel.H1));
                levels_.H1_Scroll();
                break;
        }
    });
}

void Form21::closeRequest(Asker asker) {
    asked(asker, [this] { startup_.Form_QueryUnload(); });
}

void Form21::releaseAndClose() {
    try {
        EchoLink->SetPTT(false);
    } catch (const RuntimeError&) {
        // no host yet, or it failed: the close goes on all the same
    }
    closeRequest(Asker::Station);
}

void Form21::RX(bool bRX) {
    dispatcher_.noTrap([&] { link_.EchoLink_RX(bRX); });
}

void Form21::CarrierDetect(bool bCD) {
    dispatcher_.noTrap([&] { link_.EchoLink_CarrierDetect(bCD); });
}

void Form21::Closing() {
    dispatcher_.noTrap([&] { link_.EchoLink_Closing(); });
}

void Form21::ChatTextReceived(const std::string& sText) {
    dispatcher_.noTrap([&] { link_.EchoLink_ChatTextReceived(sText); });
}

}  // namespace tc
