#include "program/headless/ControlState.h"

#include "core/Transcript.h"
#include "ui/Panel.h"

namespace tc {

namespace {

std::string text(const std::string& t) { return Transcript::quoted(t); }
std::string shape(const Shape& s) { return s.visible ? "shown" : "hidden"; }
std::string indicator(const Indicator& i) { return text(i.text()) + " " + i.back().name(); }
std::string scrollBar(const ScrollBar& s) {
    return "value=" + std::to_string(s.value) + " min=" + std::to_string(s.min) + " max=" + std::to_string(s.max);
}
std::string timer(const Timer& t) {
    return std::string(t.enabled() ? "enabled" : "stopped") + " interval=" + std::to_string(t.interval());
}

}  // namespace

std::optional<std::string> describeControl(const Panel& p, std::string_view name) {
    struct Entry {
        std::string_view name;
        std::string (*describe)(const Panel&);
    };
    static const Entry entries[] = {
#define TC_SHAPE(n) {#n, [](const Panel& q) { return shape(q.n); }}
#define TC_TEXT(n) {#n, [](const Panel& q) { return text(q.n.text); }}
#define TC_LABEL(n) {#n, [](const Panel& q) { return text(q.n.caption); }}
#define TC_INDICATOR(n) {#n, [](const Panel& q) { return indicator(q.n); }}
#define TC_SCROLL(n) {#n, [](const Panel& q) { return scrollBar(q.n); }}
#define TC_TIMER(n) {#n, [](const Panel& q) { return timer(*q.n); }}
        TC_SHAPE(Picture26), TC_SHAPE(Picture21), TC_SHAPE(Picture27), TC_SHAPE(Picture22),
        TC_SHAPE(Picture28), TC_SHAPE(Picture23), TC_SHAPE(Picture29), TC_SHAPE(Picture24),
        TC_SHAPE(Picture14), TC_SHAPE(Picture16), TC_SHAPE(Picture19), TC_SHAPE(Picture20),
        TC_SHAPE(Picture25), TC_SHAPE(Picture3),  TC_SHAPE(Picture4),  TC_SHAPE(Ant0),
        TC_SHAPE(Ant1),      TC_SHAPE(Ant2),      TC_SHAPE(Ant3),      TC_SHAPE(Frame2),
        TC_SHAPE(Frame5),    TC_SHAPE(Frame6),    TC_SHAPE(Picture12), TC_SHAPE(Command10),
        TC_SHAPE(Picture8),  TC_SHAPE(Command11), TC_SHAPE(Picture17), TC_SHAPE(Picture11),
        TC_SHAPE(Command1),  TC_SHAPE(Command7),  TC_SHAPE(Picture9),  TC_SHAPE(Command6),
        TC_SHAPE(Command8),  TC_SHAPE(Picture15), TC_SHAPE(Frame11),   TC_SHAPE(Picture6),
        TC_SHAPE(Picture1),  TC_SHAPE(Picture2),  TC_SHAPE(Picture7),  TC_SHAPE(Command16),
        TC_SHAPE(Picture18), TC_SHAPE(Picture13), TC_SHAPE(Command14), TC_SHAPE(Command15),
        TC_SHAPE(Command12), TC_SHAPE(Command17), TC_SHAPE(Command18), TC_SHAPE(Command4),
        TC_SHAPE(Command3),  TC_SHAPE(Command2),  TC_SHAPE(Command5),  TC_SHAPE(Command9),
        TC_TEXT(CourtesyID), TC_TEXT(IPCourtesy), TC_TEXT(RFTone),     TC_TEXT(InetTone),
        TC_TEXT(VolSet),     TC_TEXT(HangTime),   TC_TEXT(KerchunkWait), TC_TEXT(Callsign),
        TC_TEXT(Prog),       TC_TEXT(Ver),        TC_TEXT(Text1),      TC_TEXT(Text2),
        TC_TEXT(Text3),      TC_TEXT(SpeedSet),   TC_TEXT(txtFile),    TC_LABEL(OK2Kerchunk),
        TC_LABEL(Label1),    TC_LABEL(Label2),    TC_LABEL(Label3),    TC_INDICATOR(Ident),
        TC_INDICATOR(Kerchunk), TC_INDICATOR(RFUser), TC_INDICATOR(PTT1), TC_INDICATOR(PTT),
        TC_SCROLL(V1),       TC_SCROLL(V2),       TC_SCROLL(H1),       TC_TIMER(Timer1),
        TC_TIMER(Timer3),    TC_TIMER(Timer4),    TC_TIMER(Kerchunker), TC_TIMER(KickBackCheck),
        {"Check1", [](const Panel& q) { return std::to_string(q.Check1.value); }},
        {"Option1", [](const Panel& q) { return std::string(q.Options.Option1 ? "true" : "false"); }},
        {"Option2", [](const Panel& q) { return std::string(q.Options.Option2 ? "true" : "false"); }},
        {"Caption", [](const Panel& q) { return text(q.Caption()); }},
#undef TC_SHAPE
#undef TC_TEXT
#undef TC_LABEL
#undef TC_INDICATOR
#undef TC_SCROLL
#undef TC_TIMER
    };
    for (const Entry& e : entries)
        if (e.name == name) return e.describe(p);
    return std::nullopt;
}

}  // namespace tc
