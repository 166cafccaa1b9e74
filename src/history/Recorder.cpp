#include "history/Recorder.h"

namespace tc::history {

Recorder::Recorder(Store& store, Clock clock, StationEvents& events)
    : store_(store), clock_(std::move(clock)) {
    following_ = events.subscribe([this](const StationEvent& e, std::int64_t atMs) { told(e, atMs); });
}

Recorder::~Recorder() { finish(); }

void Recorder::told(const StationEvent& e, std::int64_t atMs) {
    // The station's clock runs from its start; the history's is the calendar.
    const std::int64_t now = clock_();
    auto when = [&](std::int64_t ms) { return now - (atMs - ms); };
    if (auto* c = std::get_if<event::Carrier>(&e)) {
        if (c->present && !rfSince_) rfSince_ = now;
    } else if (auto* a = std::get_if<event::InternetAudio>(&e)) {
        if (a->on && !internetSince_) internetSince_ = now;
    } else if (auto* o = std::get_if<event::OverEnded>(&e)) {
        (o->internet ? internetSince_ : rfSince_).reset();
        store_.add(Over{when(o->startMs), when(o->endMs), o->internet, o->counted});
    } else if (auto* i = std::get_if<event::IdentEnded>(&e)) {
        const event::Ident& id = i->ident;
        Ident record{when(i->startMs), when(i->endMs), id.audio, id.what, id.rendered, id.courtesy()};
        if (!id.rendered) {
            store_.add(std::move(record));
            return;
        }
        // Ended by the release the history has just been told of.
        if (!airing_.empty()) airing_.erase(airing_.begin());
        store_.add(std::move(record));
    } else if (auto* s = std::get_if<event::IdentStarted>(&e)) {
        const event::Ident& id = s->ident;
        if (id.rendered) airing_.push_back(Ident{now, now, id.audio, id.what, true, id.courtesy()});
    } else if (auto* t = std::get_if<event::Transmitter>(&e)) {
        if (t->keyed && !keying_) keying_ = Keying{now, now};
        if (!t->keyed) released(now);
    } else if (std::holds_alternative<event::HostClosing>(e)) {
        finish();
    }
}

void Recorder::released(std::int64_t now) {
    if (!keying_) return;
    keying_->end = now;
    store_.add(*keying_);
    keying_.reset();
}

void Recorder::finish() {
    const std::int64_t now = clock_();
    if (rfSince_) store_.add(Over{*rfSince_, now, false, false});
    if (internetSince_) store_.add(Over{*internetSince_, now, true, true});
    rfSince_.reset();
    internetSince_.reset();
    released(now);
    for (Ident& i : airing_) {
        i.end = now;
        store_.add(std::move(i));
    }
    airing_.clear();
}

}  // namespace tc::history
