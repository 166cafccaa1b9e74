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

// Walks one track's events, telling each tempo change (its tick, and where
// its three bytes stand in the file); returns the tick of the last event.
template <class OnTempo>
std::int64_t walkTrack(Reader r, OnTempo onTempo) {
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
            if (type == 0x51 && len == 3) onTempo(tick, r.pos());
            r.skip(len);
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

std::uint32_t tempoAt(const std::vector<std::uint8_t>& file, std::size_t at) {
    return std::uint32_t(file[at]) << 16 | std::uint32_t(file[at + 1]) << 8 | file[at + 2];
}

// Calls onTrack(chunk start, data begin, data end) for every track chunk
// after the header; chunks of other kinds are to be ignored.
template <class OnTrack>
void forEachTrack(const std::vector<std::uint8_t>& file, Reader& r, std::uint32_t tracks, OnTrack onTrack) {
    for (std::uint32_t found = 0; found < tracks;) {
        std::size_t chunk = r.pos();
        bool isTrack = r.tag("MTrk");
        r.skip(4);
        std::uint32_t length = r.big(4);
        std::size_t begin = r.pos();
        r.skip(length);
        if (!isTrack) continue;
        onTrack(chunk, Reader(file, begin, begin + length));
        ++found;
    }
}

struct Header {
    std::uint32_t format, tracks, division;
    std::size_t divisionAt;
};

Header readHeader(Reader& r) {
    if (!r.tag("MThd")) throw renderFailure("not a MIDI file");
    r.skip(4);
    std::uint32_t headerLength = r.big(4);
    if (headerLength < 6) throw renderFailure("bad MIDI header");
    Header h{};
    h.format = r.big(2);
    h.tracks = r.big(2);
    h.divisionAt = r.pos();
    h.division = r.big(2);
    r.skip(headerLength - 6);
    if (h.format > 2 || h.tracks == 0) throw renderFailure("bad MIDI header");
    return h;
}

}  // namespace

std::vector<std::uint8_t> inQuarterNotes(std::vector<std::uint8_t> file) {
    Reader r(file, 0, file.size());
    const Header h = readHeader(r);
    if (!(h.division & 0x8000)) return file;
    // The high byte is minus the frames a second (29 standing for 29.97).
    const int fps = 256 - static_cast<int>(h.division >> 8);
    const std::uint32_t ticksPerFrame = h.division & 0xff;
    if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || ticksPerFrame == 0)
        throw renderFailure("bad MIDI time-code timing");
    // One quarter note lasts a second (1.001 s at 29.97 frames a second) and
    // holds one second's ticks.
    const std::uint32_t ticksPerQuarter = static_cast<std::uint32_t>(fps == 29 ? 30 : fps) * ticksPerFrame;
    const std::uint32_t tempo = fps == 29 ? 1001001 : 1000000;
    const std::uint8_t tempoBytes[3] = {std::uint8_t(tempo >> 16), std::uint8_t(tempo >> 8), std::uint8_t(tempo)};
    file[h.divisionAt] = std::uint8_t(ticksPerQuarter >> 8);
    file[h.divisionAt + 1] = std::uint8_t(ticksPerQuarter);
    // Time code ignores tempo changes: each one is set to the fixed tempo,
    // and the first track starts with it.
    std::size_t firstTrack = 0;
    forEachTrack(file, r, h.tracks, [&](std::size_t chunk, Reader track) {
        if (!firstTrack) firstTrack = chunk;
        walkTrack(track, [&](std::int64_t, std::size_t at) { std::copy(tempoBytes, tempoBytes + 3, &file[at]); });
    });
    const std::uint8_t setTempo[] = {0x00, 0xff, 0x51, 0x03, tempoBytes[0], tempoBytes[1], tempoBytes[2]};
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(firstTrack + 8), std::begin(setTempo), std::end(setTempo));
    std::uint32_t length = sizeof setTempo;
    for (int i = 0; i < 4; ++i) length += std::uint32_t(file[firstTrack + 4 + i]) << (24 - 8 * i);
    for (int i = 0; i < 4; ++i) file[firstTrack + 4 + i] = std::uint8_t(length >> (24 - 8 * i));
    return file;
}

MidiTiming::MidiTiming(const std::vector<std::uint8_t>& file) {
    Reader r(file, 0, file.size());
    const Header h = readHeader(r);
    if (h.division == 0 || (h.division & 0x8000)) throw renderFailure("MIDI timing not in ticks per quarter note");
    const std::uint32_t division = h.division;

    std::vector<TempoChange> tempi;
    forEachTrack(file, r, h.tracks, [&](std::size_t, Reader track) {
        lastTick_ = std::max(lastTick_, walkTrack(track, [&](std::int64_t tick, std::size_t at) {
                                 if (std::uint32_t micros = tempoAt(file, at)) tempi.push_back({tick, micros});
                             }));
    });

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
