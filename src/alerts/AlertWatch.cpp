#include "alerts/AlertWatch.h"

namespace tc::alerts {

AlertWatch::AlertWatch(StationEvents& events, int kerchunksPerHour)
    : events_(events), kerchunksPerHour_(kerchunksPerHour) {
    following_ = events.subscribe([this](const StationEvent& e, std::int64_t atMs) { told(e, atMs); });
}

void AlertWatch::told(const StationEvent& e, std::int64_t atMs) {
    if (auto* radio = std::get_if<event::Radio>(&e)) {
        if (radio->kind == event::Radio::TimedOut) raise(Kind::TransmitterTimedOut, radio->text);
        if (radio->kind == event::Radio::Lost && !radioLost_) {
            radioLost_ = true;
            raise(Kind::RadioLost, radio->text);
        }
        if (radio->kind == event::Radio::Opened && radioLost_) {
            radioLost_ = false;
            lastTold_.erase(Kind::RadioLost);  // a later loss is news again
            raise(Kind::RadioFound, radio->text);
        }
    } else if (auto* s = std::get_if<event::Switched>(&e)) {
        if (!s->on) raise(Kind::SwitchedOff, "the station was switched off: it sends no courtesy until switched on");
    } else if (auto* saved = std::get_if<event::SettingsSaved>(&e)) {
        if (!saved->written) raise(Kind::SettingsNotWritten, "the settings could not be saved to " + saved->where);
    } else if (auto* over = std::get_if<event::OverEnded>(&e)) {
        if (over->counted || kerchunksPerHour_ <= 0) return;
        kerchunks_.push_back(atMs);
        while (!kerchunks_.empty() && kerchunks_.front() <= atMs - kHourMs) kerchunks_.pop_front();
        if (static_cast<int>(kerchunks_.size()) > kerchunksPerHour_)
            raise(Kind::Kerchunks, std::to_string(kerchunks_.size()) + " kerchunks in the last hour (more than " +
                                       std::to_string(kerchunksPerHour_) + "): a stuck or interfering radio?");
    }
}

void AlertWatch::historyNotWritten(const std::string& why) {
    raise(Kind::HistoryNotWritten, "the history could not be written: " + why);
}

void AlertWatch::raise(Kind kind, std::string text) {
    const std::int64_t now = events_.nowMs();
    auto last = lastTold_.find(kind);
    if (last != lastTold_.end() && now - last->second < kQuietMs) return;
    lastTold_[kind] = now;
    followers_.tell(Alert{kind, std::move(text)});
}

}  // namespace tc::alerts
