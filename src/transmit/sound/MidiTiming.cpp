#include "transmit/sound/MidiTiming.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "transmit/sound/PlayerErrors.h"

namespace tc::sound {

namespace {

constexpr double kDefaultTempo = 500000;  // microseconds a quarter note: 120 beats a minute

struct TempoChange {
    std::int64_t tick;
    std::uint32_t microsPerQuarter;
};

class Reader {
public:
    Reader(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t end)
        : b_(bytes), pos_(begin), end_(end) {}

    bool atEnd() const { return pos_ >= end_; }
    std::size_t pos() const { return pos_; }
    std::uint8_t peek() const {
        need(1);
        return b_[pos_];
    }
    std::uint8_t byte() {
        need(1);
        return b_[pos_++];
    }
    std::uint32_t big(int n) {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) v = (v << 8) | byte();
        return v;
    }
    std::uint32_t varLength() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t c = byte();
            v = (v << 7) | (c & 0x7f);
            if (!(c & 0x80)) return v;
        }
        throw renderFailure("bad MIDI number");
    }
    void skip(std::size_t n) {
        need(n);
        pos_ += n;
    }
    bool tag(const char* four) const { return end_ - pos_ >= 4 && std::memcmp(&b_[pos_], four, 4) == 0; }

private:
    void need(std::size_t n) const {
        if (end_ - pos_ < n) throw renderFailure("MIDI file cut short");
    }
    const std::vector<std::uint8_t>& b_;
    std::size_t pos_;
    std::size_t end_;
};

// Walks one track's events; returns the tick of its last event.
std::int64_t readTrack(Reader r, std::vector<TempoChange>& tempi) {
    std::int64_t tick = 0;
    std::uint8_t running = 0;
    while (!r.atEnd()) {
        tick += r.varLength();
        std::uint8_t status = r.peek();
        if (status & 0x80) {
            r.byte();
        } else if (running) {
            status = running;
        } else {
            throw renderFailure("MIDI data without a status");
        }
        if (status < 0xf0) {
            running = status;
            std::uint8_t kind = status & 0xf0;
            r.skip(kind == 0xc0 || kind == 0xd0 ? 1 : 2);
        } else if (status == 0xff) {
            running = 0;
            std::uint8_t type = r.byte();
            std::uint32_t len = r.varLength();
            if (type == 0x51 && len == 3) {
                std::uint32_t micros = r.big(3);
                if (micros > 0) tempi.push_back({tick, micros});
            } else {
                r.skip(len);
            }
            if (type == 0x2f) return tick;
        } else if (status == 0xf0 || status == 0xf7) {
            running = 0;
            r.skip(r.varLength());
        } else {
            throw renderFailure("MIDI status not allowed in a file");
        }
    }
    return tick;
}

}  // namespace

MidiTiming::MidiTiming(const std::vector<std::uint8_t>& file) {
    Reader r(file, 0, file.size());
    if (!r.tag("MThd")) throw renderFailure("not a MIDI file");
    r.skip(4);
    std::uint32_t headerLength = r.big(4);
    if (headerLength < 6) throw renderFailure("bad MIDI header");
    std::uint32_t format = r.big(2);
    std::uint32_t tracks = r.big(2);
    std::uint32_t division = r.big(2);
    r.skip(headerLength - 6);
    if (format > 2 || tracks == 0) throw renderFailure("bad MIDI header");
    if (division == 0 || (division & 0x8000)) throw renderFailure("MIDI timing not in ticks per quarter note");

    std::vector<TempoChange> tempi;
    for (std::uint32_t found = 0; found < tracks;) {
        bool isTrack = r.tag("MTrk");
        r.skip(4);
        std::uint32_t length = r.big(4);
        std::size_t begin = r.pos();
        r.skip(length);
        if (!isTrack) continue;  // chunks of other kinds are to be ignored
        lastTick_ = std::max(lastTick_, readTrack(Reader(file, begin, begin + length), tempi));
        ++found;
    }

    // A stable sort keeps a track's own order; of several changes on one
    // tick the last one read holds.
    std::stable_sort(tempi.begin(), tempi.end(), [](auto& a, auto& b) { return a.tick < b.tick; });
    spans_.push_back({0, 0.0, kDefaultTempo / 1e6 / division});
    for (const TempoChange& t : tempi) {
        double secondsPerTick = t.microsPerQuarter / 1e6 / division;
        if (spans_.back().tick == t.tick) {
            spans_.back().secondsPerTick = secondsPerTick;
        } else {
            spans_.push_back({t.tick, secondsAt(t.tick), secondsPerTick});
        }
    }
}

double MidiTiming::secondsAt(std::int64_t tick) const {
    auto it =
        std::upper_bound(spans_.begin(), spans_.end(), tick, [](std::int64_t t, const Span& s) { return t < s.tick; });
    const Span& s = *std::prev(it);
    return s.seconds + static_cast<double>(tick - s.tick) * s.secondsPerTick;
}

std::int64_t MidiTiming::tickAt(double seconds) const {
    auto it =
        std::upper_bound(spans_.begin(), spans_.end(), seconds, [](double t, const Span& s) { return t < s.seconds; });
    const Span& s = *std::prev(it);
    return s.tick + static_cast<std::int64_t>(std::floor((seconds - s.seconds) / s.secondsPerTick));
}

}  // namespace tc::sound
