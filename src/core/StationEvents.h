#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <variant>

#include "core/Followers.h"

namespace tc {

// Who asked for what the station does: the station itself (a courtesy
// after traffic), or an operator at the panel, in a station script or on
// the web page.
enum class Asker { Station, Panel, Script, Page, Broker };

const char* askerName(Asker asker);

// What the station decides, each raised once, where it is decided, on the
// logic thread.
namespace event {

struct Carrier {
    bool present;
};
struct InternetAudio {
    bool on;
};
// An over has ended: RF (counted, or a kerchunk the anti-kerchunker did not
// count) or Internet (always counted).
struct OverEnded {
    bool internet;
    bool counted;
    std::int64_t startMs, endMs;  // on the station's clock
};
// An ident went out: CW (its text) or audio (its file). One that did not
// render ends where it started; one that did ends at the release of the
// transmitter after it.
struct Ident {
    bool audio;
    std::string what;
    bool rendered;
    Asker asker;  // Asker::Station: a courtesy; anyone else: a test
    bool courtesy() const { return asker == Asker::Station; }
};
struct IdentStarted {
    Ident ident;
};
struct IdentEnded {
    Ident ident;
    std::int64_t startMs, endMs;
};
// An audio file has started playing on the air.
struct Playing {
    std::string file;
    long volume;
    double rate;
};
struct Transmitter {
    bool keyed;
};
struct Switched {
    bool on;
};
struct IdentMode {
    bool audio;
};
struct Timings {
    int hangMs, kerchunkMs;
};
struct Levels {
    long volume, speed;
};
struct SettingsSaved {
    bool written;
    std::string where;  // the settings file
};
struct ChatAnswered {
    std::string text;
};
struct HostClosing {};
// The usage report has been made, with the form data it posted, whatever
// the server did.
struct ReportSent {
    std::string body;
};
// A radio's own news: opened (also after it was lost), lost, the
// transmitter released by the radio's time-out, or anything else it tells.
struct Radio {
    enum Kind { Opened, Lost, TimedOut, Note };
    Kind kind;
    std::string text;
};
// What the panel shows of the station, as the status clock sets it.
struct Status {
    std::string callsign;
    bool on = false;
    bool audio = false;  // the ident mode: CW or audio
    bool ptt = false;
    bool lampKerchunker = false, lampRf = false, lampInternet = false, lampPtt = false;
    int antenna = 0;                     // the antenna's frame, 0 to 3
    std::string identRf, identInternet;  // the CW texts, or the tone files in audio mode
    int hangMs = 0, kerchunkMs = 0;
    bool operator==(const Status&) const = default;
};

}  // namespace event

using StationEvent =
    std::variant<event::Carrier, event::InternetAudio, event::OverEnded, event::IdentStarted, event::IdentEnded,
                 event::Playing, event::Transmitter, event::Switched, event::IdentMode, event::Timings,
                 event::Levels, event::SettingsSaved, event::ChatAnswered, event::HostClosing, event::ReportSent,
                 event::Radio, event::Status>;

// The one stream of the station's events. Each event reaches every
// follower before the station goes on, stamped with the station's clock. A
// follower that works off the logic thread takes its copy through its own
// queue.
class StationEvents {
public:
    using Subscription = Followers<const StationEvent&, std::int64_t>::Subscription;

    explicit StationEvents(std::function<std::int64_t()> clock) : clock_(std::move(clock)) {}
    StationEvents(const StationEvents&) = delete;
    StationEvents& operator=(const StationEvents&) = delete;

    [[nodiscard]] Subscription subscribe(std::function<void(const StationEvent&, std::int64_t atMs)> follower) {
        return followers_.subscribe(std::move(follower));
    }
    void raise(const StationEvent& e) { followers_.tell(e, clock_()); }
    std::int64_t nowMs() const { return clock_(); }

    // Who asks while an operator's command runs; Asker::Station otherwise.
    Asker asker() const { return asker_; }
    class Asking {
    public:
        Asking(StationEvents& events, Asker asker) : events_(events), before_(events.asker_) {
            events.asker_ = asker;
        }
        ~Asking() { events_.asker_ = before_; }
        Asking(const Asking&) = delete;
        Asking& operator=(const Asking&) = delete;

    private:
        StationEvents& events_;
        Asker before_;
    };

private:
    std::function<std::int64_t()> clock_;
    Followers<const StationEvent&, std::int64_t> followers_;
    Asker asker_ = Asker::Station;
};

}  // namespace tc
