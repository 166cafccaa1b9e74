// What the station tells of itself as it decides, in order, with who asked
// for each ident, as a station script drives it on virtual time.
#include <gtest/gtest.h>

#include "program/Form21.h"
#include "support/ScriptRun.h"

namespace {

std::string ident(const char* what, const tc::event::Ident& i) {
    return std::string(what) + (i.audio ? " audio " : " cw ") + i.what.substr(i.what.rfind('/') + 1) +
           (i.rendered ? "" : " failed") + " by " + tc::askerName(i.asker);
}

// One line for each event a follower cares about (the panel's status is left out).
std::string line(const tc::StationEvent& e) {
    using namespace tc::event;
    if (auto* c = std::get_if<Carrier>(&e)) return c->present ? "carrier up" : "carrier down";
    if (auto* a = std::get_if<InternetAudio>(&e)) return a->on ? "internet on" : "internet off";
    if (auto* o = std::get_if<OverEnded>(&e))
        return std::string("over ") + (o->internet ? "internet " : "rf ") + (o->counted ? "counted " : "kerchunk ") +
               std::to_string(o->startMs) + "-" + std::to_string(o->endMs);
    if (auto* s = std::get_if<IdentStarted>(&e)) return ident("ident", s->ident);
    if (auto* d = std::get_if<IdentEnded>(&e)) return ident("ended", d->ident) + " from " + std::to_string(d->startMs);
    if (auto* t = std::get_if<Transmitter>(&e)) return t->keyed ? "keyed" : "released";
    if (auto* s = std::get_if<Switched>(&e)) return s->on ? "switched on" : "switched off";
    if (auto* m = std::get_if<IdentMode>(&e)) return m->audio ? "mode audio" : "mode cw";
    if (auto* t = std::get_if<Timings>(&e)) return "timings " + std::to_string(t->hangMs) + " " + std::to_string(t->kerchunkMs);
    if (auto* l = std::get_if<Levels>(&e)) return "levels " + std::to_string(l->volume) + " " + std::to_string(l->speed);
    if (auto* s = std::get_if<SettingsSaved>(&e)) return s->written ? "saved" : "not saved";
    if (auto* c = std::get_if<ChatAnswered>(&e)) return "chat " + c->text;
    if (std::holds_alternative<HostClosing>(e)) return "closing";
    if (auto* p = std::get_if<Playing>(&e)) return "playing " + p->file.substr(p->file.rfind('/') + 1);
    return "";
}

// The events of a script's run after start-up, "T what" each.
std::vector<std::string> eventsOf(const std::string& script) {
    struct Follow : tc::Watch {
        tc::StationEvents::Subscription s;
    };
    std::vector<std::string> seen;
    ScriptOptions o;
    o.supervise = [&seen](tc::Form21& form, tc::EventLoop&, tc::Transcript&, bool) {
        auto f = std::make_unique<Follow>();
        f->s = form.events.subscribe([&seen](const tc::StationEvent& e, std::int64_t at) {
            if (std::string l = line(e); !l.empty()) seen.push_back(std::to_string(at) + " " + l);
        });
        return f;
    };
    TempDir config;
    EXPECT_EQ(runScript(script, config.path(), o).status, 0);
    return seen;
}

TEST(StationEvents, EachDecisionOnceWhereItIsMadeWithWhoAsked) {
    auto seen = eventsOf(
        "at 1000 carrier up\n"
        "at 6050 carrier down\n"  // counted: a courtesy at the next hang-time poll
        "at 8000 carrier up\n"
        "at 9000 carrier down\n"  // a kerchunk
        "at 10000 rx on\n"
        "at 11000 rx off\n"       // the Internet courtesy at once
        "at 12000 chat /ver/\n"
        "at 13000 click Command10\n"  // a test from the script
        "at 15000 click Picture13\n"
        "at 15100 type HangTime 700\n"
        "at 16000 click Command7\n"   // the audio page's RF test
        "at 30000 click Command15\n"
        "at 31000 closing\n");
    EXPECT_EQ(seen, std::vector<std::string>({
                        "1000 carrier up",
                        "6050 carrier down",
                        "6050 over rf counted 1000-6050",
                        "6500 ident cw K by station",
                        "6500 keyed",
                        "7100 released",
                        "7100 ended cw K by station from 6500",
                        "8000 carrier up",
                        "9000 carrier down",
                        "9000 over rf kerchunk 8000-9000",
                        "10000 internet on",
                        "10000 keyed",  // the host keys for the Internet side's audio
                        "11000 internet off",
                        "11000 over internet counted 10000-11000",
                        "11000 ident cw I by station",
                        "11200 released",
                        "11200 ended cw I by station from 11000",
                        "12000 chat Tailchime  v2.0.1",
                        "13000 ident cw K by script",
                        "13000 keyed",
                        "13600 released",
                        "13600 ended cw K by script from 13000",
                        "15000 mode audio",
                        "15000 saved",
                        "15100 timings 700 2000",
                        "16000 playing RF.wav",
                        "16000 ident audio RF.wav by script",
                        "16000 keyed",
                        "16600 released",
                        "16600 ended audio RF.wav by script from 16000",
                        "30000 switched off",
                        "30000 saved",
                        "31000 closing",
                        "31000 saved",
                    }));
}

}  // namespace
