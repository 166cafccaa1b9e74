#include "transmit/sound/output/MidiSource.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "transmit/sound/PlayerErrors.h"
#include "transmit/sound/output/Synthesizer.h"

namespace tc::sound {

namespace {

constexpr int kSilencingFrames = 128;  // two of the synthesizer's blocks

}  // namespace

MidiSource::MidiSource(std::vector<std::uint8_t> file)
    : file_(std::move(file)), timing_(file_), frames_(midiLength(timing_).frames), synth_(borrowSynthesizer()) {
    startAt(0);
    if (!player_) throw renderFailure("MIDI player failed");
}

MidiSource::~MidiSource() {
    if (player_) delete_fluid_player(player_);
}

std::size_t MidiSource::read(float* out, std::size_t frames) {
    std::size_t done = 0;
    while (done < frames) {
        int n = static_cast<int>(std::min<std::size_t>(frames - done, 4096));
        fluid_synth_write_float(synth_.get(), n, out + 2 * done, 0, 2, out + 2 * done, 1, 2);
        done += static_cast<std::size_t>(n);
    }
    return frames;
}

void MidiSource::seek(std::int64_t frame) { startAt(timing_.tickAt(static_cast<double>(frame) / kRate)); }

// A new player from the tick on: the synthesizer is reset and the player
// replays the settings (programs, controllers) that lead up to the tick.
// Runs on the device thread when seeking, so it never throws: a player that
// cannot be made leaves silence.
void MidiSource::startAt(std::int64_t tick) {
    if (player_) delete_fluid_player(player_);
    fluid_synth_all_sounds_off(synth_.get(), -1);
    // The synthesizer silences its voices in the block it renders next; that
    // block is dropped so nothing of the old place sounds at the new one.
    float drop[2 * kSilencingFrames];
    fluid_synth_write_float(synth_.get(), kSilencingFrames, drop, 0, 2, drop, 1, 2);
    player_ = new_fluid_player(synth_.get());
    if (player_ && fluid_player_add_mem(player_, file_.data(), file_.size()) != FLUID_OK) {
        delete_fluid_player(player_);
        player_ = nullptr;
    }
    if (!player_) return;
    if (tick > 0)
        fluid_player_seek(player_, static_cast<int>(std::min<std::int64_t>(tick, std::numeric_limits<int>::max())));
    fluid_player_play(player_);
}

}  // namespace tc::sound
