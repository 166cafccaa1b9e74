#include "app/Form21.h"

#include <algorithm>
#include <iterator>

#include "app/Identity.h"
#include "ui/Desktop.h"

namespace tc {

Form21::Form21(Ports ports)
    : ports_(std::move(ports)),
      dispatcher_(ports_.desktop, ports_.afterHandler),
      panel(ports_.loop),
      player(panel, ports_.desktop, ports_.audio),
      transmit(panel, player, EchoLink),
      settings(panel, ports_.profile, ports_.rfToneDefault.c_str(), ports_.inetToneDefault.c_str()),
      commands(panel, settings, player, EchoLink, ports_.desktop, ports_.hosts),
      antiKerchunker_(panel, transmit, EchoLink),
      statusClock_(panel, player, EchoLink),
      levels_(panel, player),
      link_(panel, transmit, settings, EchoLink),
      startup_({panel, ports_.desktop, ports_.hosts, EchoLink, *this, settings, player,
                [this] {
                    if (ports_.sendReport) ports_.sendReport(panel.Callsign.text, panel.Prog.text, panel.Ver.text);
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
    // The idents are known now: let the player get ready for them while
    // the station waits for traffic.
    ports_.audio.Prepare(panel.RFTone.text);
    ports_.audio.Prepare(panel.InetTone.text);
}

namespace {

struct Click {
    std::string_view control;
    void (*handler)(Form21&);
};

// Every control the operator can click, with its command.
constexpr Click kClicks[] = {
    {"Command14", [](Form21& f) { f.commands.Command14_Click(); }},
    {"Command15", [](Form21& f) { f.commands.Command15_Click(); }},
    {"Command18", [](Form21& f) { f.commands.Command18_Click(); }},
    {"Command17", [](Form21& f) { f.commands.Command17_Click(); }},
    {"Command16", [](Form21& f) { f.commands.Command16_Click(); }},
    {"Picture18", [](Form21& f) { f.commands.Picture18_Click(); }},
    {"Picture13", [](Form21& f) { f.commands.Picture13_Click(); }},
    {"Command1", [](Form21& f) { f.commands.Command1_Click(); }},
    {"Command6", [](Form21& f) { f.commands.Command6_Click(); }},
    {"Command10", [](Form21& f) { f.commands.Command10_Click(); }},
    {"Command11", [](Form21& f) { f.commands.Command11_Click(); }},
    {"Command12", [](Form21& f) { f.commands.Command12_Click(); }},
    {"Command9", [](Form21& f) { f.commands.Command9_Click(); }},
    {"Command2", [](Form21& f) { f.commands.Command2_Click(); }},
    {"Command5", [](Form21& f) { f.commands.Command5_Click(); }},
    {"Command7", [](Form21& f) { f.transmit.Command7_Click(); }},
    {"Command8", [](Form21& f) { f.transmit.Command8_Click(); }},
    {"Command3", [](Form21& f) { f.transmit.Command3_Click(); }},
    {"Command4", [](Form21& f) { f.transmit.Command4_Click(); }},
};

// The edit fields the operator can type into.
constexpr std::string_view kFields[] = {"CourtesyID", "IPCourtesy", "HangTime", "KerchunkWait", "RFTone", "InetTone"};

const Click* findClick(std::string_view control) {
    for (const Click& c : kClicks)
        if (c.control == control) return &c;
    return nullptr;
}

}  // namespace

bool Form21::isClickable(std::string_view control) { return findClick(control) != nullptr; }

bool Form21::isTypeable(std::string_view field) {
    return std::find(std::begin(kFields), std::end(kFields), field) != std::end(kFields);
}

bool Form21::isSlidable(std::string_view scrollBar) {
    return scrollBar == "V1" || scrollBar == "V2" || scrollBar == "H1";
}

bool Form21::click(std::string_view control) {
    const Click* c = findClick(control);
    if (!c) return false;
    dispatcher_.noTrap([this, c] { c->handler(*this); });
    return true;
}

TextField* Form21::operatorField(std::string_view name) {
    TextField* fields[] = {&panel.CourtesyID, &panel.IPCourtesy, &panel.HangTime,
                           &panel.KerchunkWait, &panel.RFTone, &panel.InetTone};
    for (size_t i = 0; i < std::size(kFields); ++i)
        if (kFields[i] == name) return fields[i];
    return nullptr;
}

bool Form21::type(std::string_view field, const std::string& text) {
    TextField* f = operatorField(field);
    if (!f) return false;
    dispatcher_.noTrap([f, &text] { f->setText(text); });
    if (f == &panel.RFTone || f == &panel.InetTone) ports_.audio.Prepare(text);
    return true;
}

bool Form21::slide(std::string_view scrollBar, long long value) {
    // The operator cannot move a thumb beyond either end.
    auto clamp = [value](const ScrollBar& s) { return std::clamp<long long>(value, s.min, s.max); };
    if (scrollBar == "V1") {
        dispatcher_.noTrap([&] { panel.V1.setValue(clamp(panel.V1)); });
    } else if (scrollBar == "V2") {
        dispatcher_.noTrap([&] { panel.V2.setValue(clamp(panel.V2)); });
    } else if (scrollBar == "H1") {
        dispatcher_.noTrap([&] {
            panel.H1.setValue(clamp(panel.H1));
            levels_.H1_Scroll();
        });
    } else {
        return false;
    }
    return true;
}

void Form21::closeRequest() {
    dispatcher_.noTrap([this] { startup_.Form_QueryUnload(); });
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
