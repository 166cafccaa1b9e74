#pragma once
#include <cstdint>
#include <vector>

namespace tc::sound {

// The timing of a standard MIDI file: when its last event falls (the end
// of track included) and which tick sounds at a given moment, following
// every tempo change of every track. A synthesizer's own notion of the end
// waits for the last voice to die away, and tick counts alone say nothing
// of seconds, hence this reading of the file itself.
class MidiTiming {
public:
    // Reads the whole file and checks every event. Throws the render failure
    // when it is not a well-formed file in ticks per quarter note (a file in
    // time code goes through inQuarterNotes first).
    explicit MidiTiming(const std::vector<std::uint8_t>& file);

    double lengthSeconds() const { return secondsAt(lastTick_); }
    std::int64_t tickAt(double seconds) const;

private:
    struct Span {  // from tick on, until the next span
        std::int64_t tick;
        double seconds;
        double secondsPerTick;
    };
    double secondsAt(std::int64_t tick) const;

    std::vector<Span> spans_;
    std::int64_t lastTick_ = 0;
};

// A file timed in SMPTE frames rewritten in ticks per quarter note at one
// fixed tempo, so that every tick keeps its length in seconds: the
// synthesizer's player knows no time code. Other files come back as they
// are. Throws the render failure for a time code no file may hold.
std::vector<std::uint8_t> inQuarterNotes(std::vector<std::uint8_t> file);

}  // namespace tc::sound
